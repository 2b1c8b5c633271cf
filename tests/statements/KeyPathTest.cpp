#include <gtest/gtest.h>

#include <string>

#include "statements/KeyPath.h"

namespace {

struct KeyPathCase {
  std::string path;
  bool ok;
  platform::RegistryKey root;
  std::string subkey;
  std::string valueName;
};

class KeyPathSplitting : public testing::TestWithParam<KeyPathCase> {};

TEST_P(KeyPathSplitting, SplitsAtTheFirstAndLastBackslash) {
  const KeyPathCase& c = GetParam();
  platform::RegistryKey root = 0;
  std::string subkey = "unchanged";
  std::string valueName = "unchanged";
  ASSERT_EQ(SplitKeyPath(c.path, root, subkey, valueName), c.ok) << c.path;
  if (!c.ok) return;
  EXPECT_EQ(root, c.root) << c.path;
  EXPECT_EQ(subkey, c.subkey) << c.path;
  EXPECT_EQ(valueName, c.valueName) << c.path;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, KeyPathSplitting,
    testing::Values(
        KeyPathCase{"HKEY_CURRENT_USER\\Software\\Vendor\\App\\Path", true,
                    platform::kHkeyCurrentUser, "Software\\Vendor\\App", "Path"},
        KeyPathCase{"HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\", true, platform::kHkeyLocalMachine,
                    "SOFTWARE\\Vendor", ""},
        KeyPathCase{"HKEY_CLASSES_ROOT\\\\Name", true, platform::kHkeyClassesRoot, "", "Name"},
        KeyPathCase{"HKEY_USERS\\Name", true, platform::kHkeyUsers, "", "Name"},
        KeyPathCase{"HKEY_USERS\\", true, platform::kHkeyUsers, "", ""},
        // The trail byte 0x5C of ソ, 表 and 能 is no separator, in key and value names.
        KeyPathCase{"HKEY_CURRENT_USER\\Aソ", true, platform::kHkeyCurrentUser, "", "Aソ"},
        KeyPathCase{"HKEY_CURRENT_USER\\Software\\ソフト\\表\\性能", true,
                    platform::kHkeyCurrentUser, "Software\\ソフト\\表", "性能"},
        KeyPathCase{"HKEY_CURRENT_USER\\表\\", true, platform::kHkeyCurrentUser, "表", ""},
        KeyPathCase{"HKEY_CURRENT_USER", false, 0, "", ""},
        KeyPathCase{"HKEY_CURRENT_USER oftware\tool\\Name", false, 0, "", ""},
        KeyPathCase{"hkey_current_user\\Software\\Name", false, 0, "", ""},
        KeyPathCase{"HKCU\\Software\\Name", false, 0, "", ""},
        KeyPathCase{"\\Software\\Name", false, 0, "", ""}));

}  // namespace
