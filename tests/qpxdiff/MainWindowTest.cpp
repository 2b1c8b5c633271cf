#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "compare/Listing.h"
#include "tests/qpxdiff/DiffWindowFixture.h"
#include "tests/support/TestFiles.h"

namespace {

using namespace diff_window_test;

TEST_F(DiffWindow, RegistersTheClassWithIconMenuAndBackground) {
  ASSERT_EQ(standin::WindowRecorder().classes.size(), 1u);
  const standin::ClassRecord& registered = standin::WindowRecorder().classes[0];
  EXPECT_EQ(registered.className, "Quopra Maker");
  EXPECT_EQ(registered.fields.style, 0u);
  EXPECT_EQ(registered.fields.instance, kInstance);
  EXPECT_EQ(registered.fields.icon, platform::LoadIconA(kInstance, 104));
  EXPECT_EQ(registered.fields.smallIcon, platform::LoadIconA(kInstance, 104));
  EXPECT_EQ(registered.fields.background, 16u);
  EXPECT_EQ(registered.fields.menuId, 101);
}

TEST_F(DiffWindow, CreatesShowsAndUpdatesTheMainWindow) {
  const standin::WindowRecord* main = standin::FindWindow(MainWindow());
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->exStyle, 0u);
  EXPECT_EQ(main->className, "Quopra Maker");
  EXPECT_EQ(main->text, "Quopra Maker");
  EXPECT_EQ(main->style, 0x00CF0000u);
  EXPECT_EQ(main->x, platform::kCwUseDefault);
  EXPECT_EQ(main->height, platform::kCwUseDefault);
  EXPECT_EQ(main->parent, nullptr);
  EXPECT_EQ(main->menuOrId, 0u);
  EXPECT_EQ(main->showCommand, 5);
  EXPECT_EQ(main->updates, 1);
}

TEST_F(DiffWindow, PaneFillsTheClientAreaWithTheInitialTextAndFixedFont) {
  const standin::WindowRecord* pane = standin::FindWindow(Pane());
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(pane->className, "EDIT");
  EXPECT_EQ(pane->exStyle, 0x200u);
  EXPECT_EQ(pane->style, 0x503119C4u);
  EXPECT_EQ(pane->parent, MainWindow());
  EXPECT_EQ(pane->menuOrId, 100u);
  platform::Rect client = standin::WindowRecorder().clientRect;
  EXPECT_EQ(pane->x, client.left);
  EXPECT_EQ(pane->width, client.right - client.left);
  EXPECT_EQ(pane->height, client.bottom - client.top);
  EXPECT_EQ(pane->text,
            "\x81\x40ここにデータの差異が表示されます。\r\n"
            "\x81\x40[ファイル(&F)|開く(&O)...]メニューから、Quopraソースファイルを\r\n"
            "作成する元となる2つのファイルを選択してください。\r\n");
  bool fontSet = false;
  for (const platform::Message& sent : standin::WindowRecorder().sent) {
    if (sent.window != Pane() || sent.message != platform::kWmSetFont) continue;
    fontSet = sent.wParam == reinterpret_cast<uintptr_t>(platform::GetStockObject(16)) &&
              sent.lParam == 1;
  }
  EXPECT_TRUE(fontSet);
}

TEST_F(DiffWindow, SizeMovesThePaneAndFocusGoesToIt) {
  EXPECT_EQ(Send(platform::kWmSize, 0, (300 << 16) | 500), 0);
  const standin::WindowRecord* pane = standin::FindWindow(Pane());
  EXPECT_EQ(pane->x, 0);
  EXPECT_EQ(pane->y, 0);
  EXPECT_EQ(pane->width, 500);
  EXPECT_EQ(pane->height, 300);
  EXPECT_EQ(pane->repaint, 1);
  Send(platform::kWmSetFocus);
  EXPECT_EQ(standin::WindowRecorder().focus, Pane());
}

// Moved to a monitor of another scale, the window takes the place the
// system suggests and the pane a font for that DPI; back on a monitor at
// the system's DPI, the system's font again.
TEST_F(DiffWindow, DpiChangeMovesTheWindowAndGivesThePaneAFontForTheNewDpi) {
  struct Case {
    uint32_t dpi;
    platform::Rect suggested;
  };
  const Case cases[] = {{144, {100, 50, 1060, 650}}, {96, {10, 20, 650, 420}}};
  for (const Case& change : cases) {
    SCOPED_TRACE(change.dpi);
    EXPECT_EQ(Send(platform::kWmDpiChanged, (change.dpi << 16) | change.dpi,
                   reinterpret_cast<intptr_t>(&change.suggested)),
              0);
    const standin::WindowRecord* main = standin::FindWindow(MainWindow());
    EXPECT_EQ(main->x, change.suggested.left);
    EXPECT_EQ(main->y, change.suggested.top);
    EXPECT_EQ(main->width, change.suggested.right - change.suggested.left);
    EXPECT_EQ(main->height, change.suggested.bottom - change.suggested.top);
    std::optional<platform::Message> font;
    for (const platform::Message& sent : standin::WindowRecorder().sent) {
      if (sent.window == Pane() && sent.message == platform::kWmSetFont) font = sent;
    }
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->wParam, reinterpret_cast<uintptr_t>(platform::GetFixedFont(change.dpi)));
    EXPECT_EQ(font->lParam, 1);
  }
}

TEST_F(DiffWindow, OnlyTheFilePopupChangesCreateScript) {
  EXPECT_EQ(CreateScriptStateOnOpening(), platform::kMfGrayed);
  struct Case {
    platform::MenuHandle popup;
    intptr_t lParam;
  };
  platform::MenuHandle help = platform::GetSubMenu(platform::GetMenu(MainWindow()), 1);
  for (Case c : {Case{FilePopup(), 1 << 16}, Case{help, 1}}) {
    standin::WindowRecorder().menuItems.clear();
    size_t defaulted = standin::WindowRecorder().defaulted.size();
    Send(platform::kWmInitMenuPopup, reinterpret_cast<uintptr_t>(c.popup), c.lParam);
    EXPECT_TRUE(standin::WindowRecorder().menuItems.empty());
    EXPECT_EQ(standin::WindowRecorder().defaulted.size(), defaulted + 1);
  }
}

TEST_F(DiffWindow, OpenListsTheDifferencesInOneCallAndEnablesCreateScript) {
  std::string a = folder.Write("a.bin", std::string("\x00\x01\x02", 3));
  std::string b = folder.Write("b.bin", std::string("\x00\x01\x7F", 3));
  Open(a, b);
  EXPECT_EQ(PaneText(), "Address = " + a + " : " + b + "\r\n02 = 02 : 7F\r\n");
  EXPECT_EQ(standin::FindWindow(Pane())->textSets, 1);
  EXPECT_EQ(CreateScriptStateOnOpening(), platform::kMfEnabled);
  EXPECT_TRUE(standin::Recorder().messageBoxes.empty());
}

TEST_F(DiffWindow, OpenShowsTwoAllFilesDialogsWithTheirTitles) {
  std::string a = folder.Write("a.bin", "x");
  Open(a, a);
  const auto& dialogs = standin::Recorder().dialogs;
  ASSERT_EQ(dialogs.size(), 2u);
  const char* titles[] = {"1つ目のファイルを開く", "変更元ファイルを開く"};
  for (size_t at = 0; at < 2; ++at) {
    EXPECT_FALSE(dialogs[at].save);
    EXPECT_EQ(dialogs[at].owner, nullptr);
    EXPECT_EQ(dialogs[at].title, titles[at]);
    EXPECT_EQ(dialogs[at].filter, std::string(kAllFilesFilter, sizeof kAllFilesFilter));
    EXPECT_EQ(dialogs[at].fileName, "");
    EXPECT_EQ(dialogs[at].flags, kOpenFlags);
  }
}

TEST_F(DiffWindow, IdenticalFilesOrSizeMismatchGreyCreateScript) {
  std::string a = folder.Write("a.bin", "abc");
  std::string b = folder.Write("b.bin", "abd");
  std::string ten = folder.Write("ten", std::string(10, 'x'));
  std::string eleven = folder.Write("eleven", std::string(11, 'x'));
  Open(a, b);
  Open(ten, eleven);
  EXPECT_EQ(PaneText(),
            "\x81\x40"
            "1つ目のファイルと2つ目のファイルのサイズが違います。\r\n"
            "\x81\x40スクリプトファイルは書き出せません。");
  EXPECT_EQ(CreateScriptStateOnOpening(), platform::kMfGrayed);
  Open(a, b);
  Open(a, a);
  EXPECT_EQ(PaneText(), "Address = " + a + " : " + a + "\r\n差異はありません。\r\n");
  EXPECT_EQ(CreateScriptStateOnOpening(), platform::kMfGrayed);
}

TEST_F(DiffWindow, CancellingADialogLeavesThePaneAndOnlyTheSecondClearsTheList) {
  std::string a = folder.Write("a.bin", "abc");
  std::string b = folder.Write("b.bin", "abd");
  Open(a, b);
  std::string listing = PaneText();
  Open(std::nullopt, std::nullopt);
  EXPECT_EQ(PaneText(), listing);
  EXPECT_EQ(CreateScriptStateOnOpening(), platform::kMfEnabled);
  Open(b, std::nullopt);
  EXPECT_EQ(PaneText(), listing);
  EXPECT_EQ(CreateScriptStateOnOpening(), platform::kMfGrayed);
  EXPECT_TRUE(standin::Recorder().messageBoxes.empty());
}

TEST_F(DiffWindow, LoadFailuresShowTheirMessageAndClearTheList) {
  std::string a = folder.Write("a.bin", "abc");
  std::string b = folder.Write("b.bin", "abd");
  std::string readOnly = folder.Write("ro.bin", "abc");
  MakeReadOnly(readOnly);
  struct Case {
    std::string first, second;
    const char* text;
    size_t dialogs;
  };
  const std::string& noForm = standin::kAnswerWithoutCp932Form;
  for (const Case& c : {Case{folder.File("missing"), b, "1つ目のファイルを読み込めません", 1},
                        Case{a, readOnly, "2つ目のファイルを読み込めません", 2},
                        Case{noForm, b, "1つ目のファイルを読み込めません", 1},
                        Case{a, noForm, "2つ目のファイルを読み込めません", 2}}) {
    Open(a, b);
    std::string listing = PaneText();
    standin::Recorder().dialogs.clear();
    Open(c.first, c.second);
    EXPECT_EQ(standin::Recorder().dialogs.size(), c.dialogs);
    ASSERT_EQ(standin::Recorder().messageBoxes.size(), 1u);
    EXPECT_EQ(LastMessageBox().owner, MainWindow());
    EXPECT_EQ(LastMessageBox().text, c.text);
    EXPECT_EQ(LastMessageBox().caption, "エラー");
    EXPECT_EQ(LastMessageBox().flags, kErrorFlags);
    EXPECT_EQ(PaneText(), listing);
    EXPECT_EQ(CreateScriptStateOnOpening(), platform::kMfGrayed);
    standin::Recorder().messageBoxes.clear();
  }
}

// Files dropped on the window, or named on its command line, take the road
// of the files chosen in the Open dialog: the same listing and messages.
struct GivenFiles {
  const char* name;
  bool commandLine;  // else dropped
  // Each drop, or the command line; "a", "b" (3 bytes, differing in the
  // last), "eleven" (11 bytes), "missing", "noform" (no CP932 form).
  std::vector<std::vector<std::string>> files;
  std::vector<std::string> answers;  // of the Open dialog for the second file
  std::string pane;                  // the pair listed, "size", or "" (unchanged)
  std::vector<std::string> messages;
};

class FilesGiven : public DiffWindow, public testing::WithParamInterface<GivenFiles> {
 protected:
  std::string PathOf(const std::string& name) {
    if (name == "noform") return "";
    if (name == "missing") return folder.File(name);
    return folder.Write(name, name == "eleven" ? std::string(11, 'x') : "ab" + name);
  }
  std::vector<std::string> PathsOf(const std::vector<std::string>& names) {
    std::vector<std::string> paths;
    for (const std::string& name : names) paths.push_back(PathOf(name));
    return paths;
  }
  std::string Expected(const std::string& pane) {
    if (pane.empty()) return std::string(kInitialPaneText);
    if (pane == "size") return std::string(kSizeMismatchText);
    std::string text =
        "Address = " + PathOf(pane.substr(0, 1)) + " : " + PathOf(pane.substr(1, 1)) + "\r\n";
    auto hex = [](char name) { return std::string("6") + static_cast<char>(name - 'a' + '1'); };
    return text + "02 = " + hex(pane[0]) + " : " + hex(pane[1]) + "\r\n";  // a: 61, b: 62
  }
};

TEST_P(FilesGiven, TakeTheRoadOfTheOpenDialog) {
  const GivenFiles& given = GetParam();
  for (const std::string& answer : given.answers) {
    standin::Recorder().dialogAnswers.push_back(
        answer == "noform" ? std::optional(standin::kAnswerWithoutCp932Form)
        : answer.empty()   ? std::nullopt
                           : std::optional(PathOf(answer)));
  }
  if (given.commandLine) maker.TakeCommandLine(PathsOf(given.files[0]));
  for (const auto& drop : given.commandLine ? decltype(given.files){} : given.files) {
    Drop(PathsOf(drop));
  }
  EXPECT_TRUE(standin::FindWindow(MainWindow())->acceptsFiles);
  EXPECT_EQ(standin::WindowRecorder().finishedDrops, given.commandLine ? 0 : given.files.size());
  ASSERT_EQ(standin::Recorder().dialogs.size(), given.answers.size());
  for (const standin::DialogRecord& dialog : standin::Recorder().dialogs) {
    EXPECT_EQ(dialog.title, "変更元ファイルを開く");
  }
  std::vector<std::string> texts;
  for (const auto& box : standin::Recorder().messageBoxes) texts.push_back(box.text);
  EXPECT_EQ(texts, given.messages);
  EXPECT_EQ(PaneText(), Expected(given.pane));
  EXPECT_EQ(CreateScriptStateOnOpening(), given.pane.size() == 2 && given.pane[0] != given.pane[1]
                                              ? platform::kMfEnabled
                                              : platform::kMfGrayed);
}

const std::string kFirstFailed = "1つ目のファイルを読み込めません";
const std::string kSecondFailed = "2つ目のファイルを読み込めません";

INSTANTIATE_TEST_SUITE_P(
    Files, FilesGiven,
    testing::Values(
        GivenFiles{"DropTwo", false, {{"a", "b"}}, {}, "ab", {}},
        GivenFiles{"DropOneThenAnother", false, {{"a"}, {"b"}}, {}, "ab", {}},
        GivenFiles{"DropOtherSize", false, {{"eleven"}, {"a"}}, {}, "size", {}},
        GivenFiles{"DropUnreadableFirst", false, {{"missing", "b"}}, {}, "", {kFirstFailed}},
        GivenFiles{"DropFirstWithoutForm", false, {{"noform"}, {"a"}}, {}, "", {kFirstFailed}},
        GivenFiles{"DropSecondWithoutForm", false, {{"a"}, {"noform"}}, {}, "", {kSecondFailed}},
        GivenFiles{"DropAfterAFailedSecondIsFirst",
                   false,
                   {{"b"}, {"missing"}, {"b"}, {"a"}},
                   {},
                   "ba",
                   {kSecondFailed}},
        GivenFiles{"DropOfThreePassedOver", false, {{"a"}, {"a", "b", "a"}, {"b"}}, {}, "ab", {}},
        GivenFiles{"NoArguments", true, {{}}, {}, "", {}},
        GivenFiles{"TwoArguments", true, {{"a", "b"}}, {}, "ab", {}},
        GivenFiles{"OneArgumentAsksForTheSecond", true, {{"b"}}, {"a"}, "ba", {}},
        GivenFiles{"OneArgumentSecondCancelled", true, {{"a"}}, {""}, "", {}},
        GivenFiles{"FirstArgumentWithoutForm", true, {{"noform", "b"}}, {}, "", {kFirstFailed}},
        GivenFiles{"UnreadableArgumentAsksNothing", true, {{"missing"}}, {}, "", {kFirstFailed}}),
    [](const testing::TestParamInfo<GivenFiles>& info) { return std::string(info.param.name); });

}  // namespace

namespace {

using namespace diff_window_test;

TEST_F(DiffWindow, ExitClosesAsTheCloseBoxDoesAndEndsTheLoop) {
  Command(IDM_FILE_EXIT);
  const auto& sent = standin::WindowRecorder().sent;
  bool askedToClose = false;
  for (const platform::Message& message : sent) {
    askedToClose |= message.window == MainWindow() && message.message == platform::kWmSysCommand &&
                    message.wParam == 0xF060;
  }
  EXPECT_TRUE(askedToClose);
  EXPECT_TRUE(standin::FindWindow(MainWindow())->destroyed);
  EXPECT_EQ(standin::WindowRecorder().quitCode, 0);
  EXPECT_EQ(maker.RunMessageLoop(), 0);
}

TEST_F(DiffWindow, MessageLoopDispatchesUntilQuit) {
  std::string a = folder.Write("a.bin", "ab");
  std::string b = folder.Write("b.bin", "ac");
  standin::Recorder().dialogAnswers = {a, b};
  auto& queue = standin::WindowRecorder().queue;
  queue.push_back({MainWindow(), platform::kWmCommand, IDM_FILE_OPEN, 0, 0, 0, 0});
  queue.push_back({MainWindow(), platform::kWmCommand, IDM_HELP_ABOUT, 0, 0, 0, 0});
  queue.push_back({MainWindow(), platform::kWmCommand, IDM_FILE_EXIT, 0, 0, 0, 0});
  EXPECT_EQ(maker.RunMessageLoop(), 0);
  EXPECT_EQ(PaneText(), "Address = " + a + " : " + b + "\r\n01 = 62 : 63\r\n");
  EXPECT_EQ(standin::Recorder().messageBoxes.size(), 1u);  // the About box
  EXPECT_TRUE(queue.empty());  // it ran up to the WM_QUIT that Exit posted
}

TEST_F(DiffWindow, AboutNamesTheProgramAndItsVersion) {
  Command(IDM_HELP_ABOUT);
  ASSERT_EQ(standin::Recorder().messageBoxes.size(), 1u);
  EXPECT_EQ(LastMessageBox().owner, MainWindow());
  EXPECT_NE(LastMessageBox().text.find("Quopra Maker"), std::string::npos);
  // The version of packaging/VERSION, as it is written there.
  std::string version = ReadFileBytes(QPX_VERSION_FILE);
  version.erase(version.find_last_not_of(" \r\n") + 1);
  EXPECT_TRUE(
      LastMessageBox().text.ends_with("\n"
                                      "バージョン " +
                                      version))
      << LastMessageBox().text;
}

TEST_F(DiffWindow, UnknownCommandsAndMessagesGoToTheDefaultProcedure) {
  struct Case {
    uint32_t message;
    uintptr_t wParam;
  };
  for (Case c : {Case{platform::kWmCommand, 40003}, Case{0x0400, 0}}) {
    size_t defaulted = standin::WindowRecorder().defaulted.size();
    Send(c.message, c.wParam);
    ASSERT_EQ(standin::WindowRecorder().defaulted.size(), defaulted + 1);
    EXPECT_EQ(standin::WindowRecorder().defaulted.back().message, c.message);
  }
}

TEST(DiffMakerStart, EndsWithZeroWhenTheClassOrWindowCannotBeMade) {
  for (bool failClass : {true, false}) {
    standin::Reset();
    standin::ResetWindows();
    standin::WindowRecorder().failRegisterClass = failClass;
    standin::WindowRecorder().failCreateWindow = !failClass;
    standin::WindowRecorder().queue.push_back({nullptr, 0x0400, 0, 0, 0, 0, 0});
    EXPECT_EQ(RunDiffMaker(kInstance, 1, {"a.bin"}), 0);
    EXPECT_TRUE(standin::WindowRecorder().windows.empty());
    EXPECT_TRUE(standin::Recorder().dialogs.empty());
    EXPECT_EQ(standin::WindowRecorder().queue.size(), 1u);  // no loop ran
  }
}

}  // namespace
