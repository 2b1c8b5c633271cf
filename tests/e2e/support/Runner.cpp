#include "Runner.h"

#include <gtest/gtest.h>

namespace e2e {

namespace {

const std::string kError = "エラー";

const std::vector<std::string> kReasonTexts = {
    "ユニットの解析に失敗しました",
    "解析するユニットがありません",
    "操作するファイルが開けませんでした",
    "スクリプトに問題があります",
    "操作中のデータをファイルに保存できませんでした",
    "終了ディレクティブがないため、保存しませんでした",
    "処理をキャンセルしました",
};

}  // namespace

ExpectedMessage LoadFailedMessage() {
  return {"スクリプトの読み込みに失敗しました", kError, "error"};
}

ExpectedMessage ReasonMessage(int reason) {
  if (reason == 6) return {kReasonTexts[6], "確認", "exclamation"};
  return {kReasonTexts.at(static_cast<size_t>(reason)), kError, "error"};
}

ExpectedMessage OtherFailureMessage() { return {"解析に失敗しました", kError, "error"}; }

DriverRun RunRunner(const std::string& cwd, const std::string& tail,
                    const std::vector<std::string>& steps, const std::string& heldFile) {
  std::vector<std::string> words;
  if (!heldFile.empty()) words = {"hold", heldFile};
  words.insert(words.end(), {"launch", RunnerExe(), cwd, tail});
  words.insert(words.end(), steps.begin(), steps.end());
  words.push_back("exit");
  return RunDriver(words);
}

DriverRun RunRunnerExpectingMessage(const std::string& cwd, const std::string& tail,
                                    const std::vector<std::string>& stepsBefore,
                                    const std::string& heldFile) {
  std::vector<std::string> steps = stepsBefore;
  steps.insert(steps.end(), {"msgbox", "OK"});
  return RunRunner(cwd, tail, steps, heldFile);
}

void ExpectSilentRun(const DriverRun& run) {
  EXPECT_TRUE(run.Followed()) << run.output;
  EXPECT_FALSE(run.transcript.Has("msgbox.caption")) << run.output;
  EXPECT_EQ(run.transcript.Word("exit"), "0") << run.output;
}

void ExpectMessage(const DriverRun& run, const ExpectedMessage& message) {
  EXPECT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(run.transcript.Count("msgbox.caption"), 1u) << run.output;
  EXPECT_EQ(run.transcript.Text("msgbox.text"), message.text) << run.output;
  EXPECT_EQ(run.transcript.Text("msgbox.caption"), message.caption) << run.output;
  EXPECT_EQ(run.transcript.Word("msgbox.icon"), message.icon) << run.output;
  using Lines = std::vector<std::vector<std::string>>;
  EXPECT_EQ(run.transcript.All("msgbox.buttons"), (Lines{{"msgbox.buttons", "OK"}})) << run.output;
  EXPECT_EQ(run.transcript.Word("msgbox.owner"), "none") << run.output;
  EXPECT_EQ(run.transcript.Word("exit"), "0") << run.output;
}

}  // namespace e2e
