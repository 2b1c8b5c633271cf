#include <gtest/gtest.h>

#include <string>

#include "tests/standin/StandIn.h"
#include "dialogs/FileDialog.h"
#include "tests/support/ScriptRun.h"

namespace {

using platform::standin::Recorder;

class FileDialog : public StandInTest {};

// すべてのファイル (*.*), *.*, and the empty entry that ends the list.
constexpr char kAllFilesBytes[] =
    "\x82\xB7\x82\xD7\x82\xC4\x82\xCC\x83\x74\x83\x40\x83\x43\x83\x8B (*.*)\0*.*\0";
const std::string kAllFiles(kAllFilesBytes, sizeof kAllFilesBytes);

TEST_F(FileDialog, OpenDialogWithoutSettersAsksForAnExistingFile) {
  COpenFileDialog dialog(nullptr);
  EXPECT_EQ(dialog.Show(), 0);
  ASSERT_EQ(Recorder().dialogs.size(), 1u);
  const auto& shown = Recorder().dialogs[0];
  EXPECT_FALSE(shown.save);
  EXPECT_EQ(shown.structSize, platform::kOpenFileNameSize);
  EXPECT_EQ(shown.filter, kAllFiles);
  EXPECT_EQ(shown.title, std::nullopt);
  EXPECT_EQ(shown.initialDir, std::nullopt);
  EXPECT_EQ(shown.fileName, "");
  EXPECT_EQ(shown.maxFile, 260u);
  EXPECT_EQ(shown.flags, 0x201004u);
}

TEST_F(FileDialog, SaveDialogAsksBeforeReplacing) {
  CSaveFileDialog dialog(nullptr);
  dialog.SetDefaultExtension("qpx");
  EXPECT_EQ(dialog.Show(), 0);
  ASSERT_EQ(Recorder().dialogs.size(), 1u);
  EXPECT_TRUE(Recorder().dialogs[0].save);
  EXPECT_EQ(Recorder().dialogs[0].flags, 0x200006u);
  EXPECT_EQ(Recorder().dialogs[0].filter, kAllFiles);
  EXPECT_EQ(Recorder().dialogs[0].defaultExtension, "qpx");
}

TEST_F(FileDialog, FileNameOfTwoHundredSixtyBytesIsRefused) {
  COpenFileDialog dialog(nullptr);
  EXPECT_TRUE(dialog.SetFileName(std::string(259, 'a')));
  EXPECT_FALSE(dialog.SetFileName(std::string(260, 'b')));
  char name[260];
  EXPECT_EQ(dialog.GetFileName(name), 259u);
  EXPECT_EQ(std::string(name), std::string(259, 'a'));
}

TEST_F(FileDialog, ChosenNameIsReturnedWithItsLength) {
  Recorder().dialogAnswers.push_back(std::string("C:\\表\\a.qpx"));
  COpenFileDialog dialog(nullptr);
  dialog.SetFileName("proposed");
  EXPECT_NE(dialog.Show(), 0);
  EXPECT_EQ(Recorder().dialogs[0].fileName, "proposed");
  char name[260];
  EXPECT_EQ(dialog.GetFileName(name), 11u);
  EXPECT_EQ(std::string(name), "C:\\表\\a.qpx");
}

}  // namespace
