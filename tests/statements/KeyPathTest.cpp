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
        // Every byte 0x5C counts, also the trail byte of ソ.
        KeyPathCase{"HKEY_CURRENT_USER\\Aソ", true, platform::kHkeyCurrentUser, "A\x83", ""},
        KeyPathCase{"HKEY_CURRENT_USER", false, 0, "", ""},
        KeyPathCase{"HKEY_CURRENT_USER oftware\tool\\Name", false, 0, "", ""},
        KeyPathCase{"hkey_current_user\\Software\\Name", false, 0, "", ""},
        KeyPathCase{"HKCU\\Software\\Name", false, 0, "", ""},
        KeyPathCase{"\\Software\\Name", false, 0, "", ""}));

}  // namespace
