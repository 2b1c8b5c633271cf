// The driver's own steps, checked against Wine's notepad (a program with a
// menu and an EDIT pane) and against qpxrun for the driver's failures.
#include <gtest/gtest.h>

#include <cstdint>

#include "CaseFolder.h"
#include "Runner.h"

namespace e2e {
namespace {

constexpr char kNotepad[] = "C:\\windows\\system32\\notepad.exe";
// Wine notepad's command ids (its Edit pop-up is pop-up 1).
constexpr char kSaveAs[] = "259";
constexpr char kCut[] = "273";
constexpr char kSelectAll[] = "278";
constexpr char kTimeDate[] = "279";
const std::string kText = "hello\r\nworld\r\n";
using Lines = std::vector<std::vector<std::string>>;

// The state word of an item in one of the run's two equal menu reports.
std::string ItemState(const DriverRun& run, const std::string& id, size_t report) {
  auto lines = run.transcript.All("menu.item");
  size_t half = lines.size() / 2;
  for (size_t at = report * half; at < (report + 1) * half; ++at) {
    if (lines[at].size() > 2 && lines[at][1] == id) return lines[at][2];
  }
  return "<no item " + id + ">";
}

uint32_t BigEndian(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (size_t k = 0; k < 4; ++k) value = value << 8 | static_cast<unsigned char>(bytes[at + k]);
  return value;
}

std::vector<int> Rect(const DriverRun& run, const std::string& event) {
  std::vector<int> numbers;
  for (size_t at = 1; at <= 4; ++at)
    numbers.push_back(std::stoi("0" + run.transcript.Word(event, at)));
  return numbers;
}

TEST(Driver, ReportsTheCodePage) {
  DriverRun run = RunDriver({"acp"});
  EXPECT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(run.transcript.Word("acp"), "932") << run.output;
}

TEST(Driver, ReadsWindowMenuPaneFocusAndScreen) {
  CaseFolder folder;
  folder.Write("n.txt", kText);
  DriverRun run =
      RunDriver({"launch", kNotepad, folder.Win(), "n.txt",    "window",     "edit",
                 "menu",   "1",      "command",    kSelectAll, "menu",       "1",
                 "resize", "500",    "400",        "focus",    "screenshot", folder.Win("shot.png"),
                 "close",  "exit"});
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(run.transcript.Text("window.class"), "Notepad");
  EXPECT_EQ(run.transcript.Text("window.title").rfind("n.txt", 0), 0u) << run.output;
  EXPECT_EQ(run.transcript.Word("window.menu"), "yes");
  EXPECT_EQ(run.transcript.Text("edit.text"), kText);
  EXPECT_EQ(run.transcript.Word("edit.readonly"), "no");
  EXPECT_EQ(ItemState(run, kCut, 0), "grayed") << run.output;   // nothing selected
  EXPECT_EQ(ItemState(run, kCut, 1), "enabled") << run.output;  // after Select all
  EXPECT_EQ(Rect(run, "rect.window")[2] - Rect(run, "rect.window")[0], 500) << run.output;
  EXPECT_EQ(Rect(run, "rect.window")[3] - Rect(run, "rect.window")[1], 400) << run.output;
  std::vector<int> client = Rect(run, "rect.client");
  std::vector<int> pane = Rect(run, "rect.pane");
  EXPECT_TRUE(client[2] > 400 && client[2] < 500 && client[3] > 300 && client[3] < 400)
      << run.output;
  EXPECT_TRUE(pane[0] == 0 && pane[1] == 0 && pane[2] == client[2] && pane[3] <= client[3])
      << run.output;
  EXPECT_EQ(run.transcript.Word("focus.is"), "pane") << run.output;
  std::string png = folder.Read("shot.png");
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(BigEndian(png, 16), 500u);
  EXPECT_EQ(BigEndian(png, 20), 400u);
  EXPECT_EQ(folder.Read("n.txt"), kText);
}

TEST(Driver, AnswersSaveDialogAndItsOverwritePrompt) {
  CaseFolder folder;
  folder.Write("n.txt", kText);
  folder.Write("other.txt", "old");
  DriverRun run =
      RunDriver({"launch", kNotepad, folder.Win(), "n.txt", "command", kSaveAs, "filedialog",
                 folder.Win("other.txt"), "msgbox", "Yes", "close", "exit"});
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(run.transcript.Text("filedialog.okbutton"), "保存(&S)") << run.output;
  EXPECT_EQ(run.transcript.Text("filedialog.folder"), folder.Win()) << run.output;
  EXPECT_EQ(run.transcript.Text("filedialog.name"), "*.txt")
      << run.output;  // Wine notepad's proposal
  EXPECT_GE(run.transcript.Count("filedialog.filter"), 1u) << run.output;
  EXPECT_EQ(run.transcript.Word("msgbox.buttons"), "Yes") << run.output;
  EXPECT_EQ(run.transcript.All("msgbox.buttons"), (Lines{{"msgbox.buttons", "Yes", "No"}}));
  EXPECT_EQ(run.transcript.Word("msgbox.owner"), "other");  // the Save dialog
  EXPECT_EQ(folder.Read("other.txt"), kText);
}

TEST(Driver, PressesNoInAMainWindowsQuestion) {
  CaseFolder folder;
  folder.Write("n.txt", kText);
  DriverRun run = RunDriver({"launch", kNotepad, folder.Win(), "n.txt", "command", kTimeDate,
                             "close", "msgbox", "No", "exit"});
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(run.transcript.All("msgbox.buttons"),
            (Lines{{"msgbox.buttons", "Cancel", "Yes", "No"}}))
      << run.output;
  EXPECT_EQ(run.transcript.Word("msgbox.owner"), "main");
  EXPECT_EQ(run.transcript.Word("msgbox.pressed"), "No");
  EXPECT_EQ(run.transcript.Word("exit"), "0");
  EXPECT_EQ(folder.Read("n.txt"), kText);
}

struct FailureCase {
  const char* name;
  bool script;                     // qpxrun gets a script that succeeds, or no tail
  std::vector<std::string> steps;  // after the launch
  std::string error;               // the start of the ERROR line
};

class DriverFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(DriverFailure, ReportsAnErrorAndEndsTheProgram) {
  const FailureCase& failure = GetParam();
  CaseFolder folder;
  folder.Write("t.bin", "0123");
  folder.Write("a.qpx", "#path \"t.bin\" 0000 = 58 ; #end");
  std::vector<std::string> words = {"launch", RunnerExe(), folder.Win(),
                                    failure.script ? folder.Win("a.qpx") : ""};
  words.insert(words.end(), failure.steps.begin(), failure.steps.end());
  DriverRun run = RunDriver(words);
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_FALSE(run.Followed());
  EXPECT_EQ(run.transcript.Error().rfind(failure.error, 0), 0u) << run.output;
}

INSTANTIATE_TEST_SUITE_P(
    Failures, DriverFailure,
    ::testing::Values(
        FailureCase{"program_ends_while_waiting", true, {"msgbox", "OK"}, "the program ended"},
        FailureCase{
            "file_dialog_instead_of_message", false, {"msgbox", "OK"}, "a file dialog came"},
        FailureCase{"dialog_while_waiting_for_the_end", false, {"exit"}, "a dialog came"},
        FailureCase{"plan_ends_while_program_runs", false, {}, "the plan ended"},
        FailureCase{"unknown_step", true, {"wave"}, "unknown step"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

}  // namespace
}  // namespace e2e
