#include <gtest/gtest.h>

#include <string>

#include "tests/qpxdiff/DiffWindowFixture.h"

namespace {

using namespace diff_window_test;

class CreateScript : public DiffWindow {
 protected:
  void SetUp() override {
    DiffWindow::SetUp();
    first = folder.Write("old file.bin", std::string("\x00\x11\x22", 3));
    second = folder.Write("new.bin", std::string("\xFF\x11\x23", 3));
    Open(first, second);
    standin::Recorder() = standin::State();
  }

  // Runs Create script answering the question and the Save dialog.
  void Create(int answer, std::optional<std::string> savedAs) {
    standin::Recorder().messageBoxAnswers.push_back(answer);
    standin::Recorder().dialogAnswers.push_back(savedAs);
    Command(IDM_FILE_CREATE_SCRIPT);
  }

  std::string first, second;
};

TEST_F(CreateScript, AsksForTheDirectionOnTheMainWindow) {
  Create(platform::kIdYes, std::nullopt);
  ASSERT_EQ(standin::Recorder().messageBoxes.size(), 1u);
  const auto& question = standin::Recorder().messageBoxes[0];
  EXPECT_EQ(question.owner, MainWindow());
  EXPECT_EQ(question.text, first + "から" + second +
                               "に変更するQuopraファイルを作成しますか？\n"
                               "逆に作成したい場合は、いいえを選択してください");
  EXPECT_EQ(question.caption, "確認");
  EXPECT_EQ(question.flags, platform::kMbYesNo | platform::kMbIconQuestion);
}

TEST_F(CreateScript, SaveDialogProposesTheSourceNameBesideIt) {
  struct Case {
    int answer;
    std::string proposed;
  };
  for (const Case& c : {Case{platform::kIdYes, "old file.qpx"}, Case{platform::kIdNo, "new.qpx"}}) {
    standin::Recorder().dialogs.clear();
    Create(c.answer, std::nullopt);
    ASSERT_EQ(standin::Recorder().dialogs.size(), 1u);
    const standin::DialogRecord& dialog = standin::Recorder().dialogs[0];
    EXPECT_TRUE(dialog.save);
    EXPECT_EQ(dialog.owner, nullptr);
    EXPECT_EQ(dialog.structSize, platform::kOpenFileNameSize);
    EXPECT_EQ(dialog.title, "スクリプトに名前をつけて保存");
    EXPECT_EQ(dialog.filter, std::string(kScriptFilter, sizeof kScriptFilter));
    EXPECT_EQ(dialog.defaultExtension, "qpx");
    EXPECT_EQ(dialog.initialDir, folder.Path() + "/");
    EXPECT_EQ(dialog.fileName, c.proposed);
    EXPECT_EQ(dialog.maxFile, 260u);
    EXPECT_EQ(dialog.flags, kSaveFlags);
  }
}

TEST_F(CreateScript, WritesTheScriptOfTheChosenDirection) {
  std::string escapedFirst = folder.Path() + "/old\\sfile.bin";
  std::string escapedSecond = folder.Path() + "/new.bin";
  struct Case {
    int answer;
    std::string expected;
  };
  for (const Case& c : {Case{platform::kIdYes, "#path \"" + escapedFirst +
                                                   "\"\r\n    00 = FF ;\r\n    02 = 23 ;\r\n"},
                        Case{platform::kIdNo, "#path \"" + escapedSecond +
                                                  "\"\r\n    00 = 00 ;\r\n    02 = 22 ;\r\n"}}) {
    std::string script = folder.File("out.qpx");
    Create(c.answer, script);
    EXPECT_EQ(ReadFileBytes(script), c.expected + "#end\r\n" + std::string(1, '\0'));
    const auto& done = LastMessageBox();
    EXPECT_EQ(done.owner, MainWindow());
    EXPECT_EQ(done.text, "Quopraファイルを作成しました");
    EXPECT_EQ(done.caption, "確認");
    EXPECT_EQ(done.flags, platform::kMbOk | platform::kMbIconExclamation);
  }
  EXPECT_EQ(CreateScriptStateOnOpening(), platform::kMfEnabled);  // the state is kept
}

TEST_F(CreateScript, CancelledSaveWritesAndShowsNothing) {
  Create(platform::kIdYes, std::nullopt);
  EXPECT_EQ(standin::Recorder().messageBoxes.size(), 1u);  // the question only
}

TEST_F(CreateScript, FileThatCannotBeCreatedIsReported) {
  std::string readOnly = folder.Write("ro.qpx", "keep");
  MakeReadOnly(readOnly);
  // The last stands for a chosen name without a CP932 form.
  for (const std::string& target :
       {readOnly, folder.File("missing/x.qpx"), standin::kAnswerWithoutCp932Form}) {
    standin::Recorder().messageBoxes.clear();
    Create(platform::kIdYes, target);
    EXPECT_EQ(standin::Recorder().messageBoxes.size(), 2u);
    EXPECT_EQ(LastMessageBox().text, "ファイルを作成できません");
    EXPECT_EQ(LastMessageBox().caption, "エラー");
    EXPECT_EQ(LastMessageBox().flags, kErrorFlags);
  }
  EXPECT_EQ(ReadFileBytes(readOnly), "keep");
}

}  // namespace
