// qpxdiff's window under Wine: class, title, menu, the pane's first text,
// resizing, and Exit.
#include <gtest/gtest.h>

#include "DiffSession.h"

namespace e2e::diff {
namespace {

TEST(DiffWindow, StartsWithTheInitialTextAndCreateScriptGreyed) {
  DriverRun run = RunDiff({"window", "edit", "font", "menu", "0", "menu", "1"});
  const Transcript& out = run.transcript;
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(out.Text("window.class"), "Quopra Maker") << run.output;
  EXPECT_EQ(out.Text("window.title"), "Quopra Maker");
  EXPECT_EQ(out.Word("window.menu"), "yes");
  EXPECT_EQ(out.Text("edit.text"), InitialPaneText()) << run.output;
  EXPECT_EQ(out.Word("edit.readonly"), "yes");
  // A fixed-pitch font that has glyphs for Japanese under every code
  // page. Wine gives the stock fixed font a face of variable pitch (under
  // 932 too), so the pane takes a face chosen among those installed, which
  // include a variable-pitch one that has Japanese (Droid Sans Fallback),
  // one named as fixed that is not (WenQuanYi Zen Hei Mono) and a
  // fixed-pitch one (IPAGothic).
  EXPECT_EQ(out.Word("font.japanese"), "yes") << run.output;
  EXPECT_EQ(out.Word("font.stock"), "no") << run.output;
  EXPECT_EQ(out.Word("font.pitch"), "fixed") << run.output;
  struct Item {
    std::string id, state, kind, text;
  };
  const std::vector<Item> items = {{"40001", "enabled", "item", "開く(&O)..."},
                                   {"40002", "grayed", "item", "スクリプト作成(&A)..."},
                                   {"", "", "separator", ""},
                                   {"40004", "enabled", "item", "終了(&X)"},
                                   {"40005", "enabled", "item", "バージョン情報(&A)"}};
  ASSERT_EQ(out.Count("menu.item"), items.size()) << run.output;
  for (size_t at = 0; at < items.size(); ++at) {
    std::vector<std::string> words = Nth(out, "menu.item", at);
    ASSERT_GE(words.size(), 4u);
    EXPECT_EQ(words[2], items[at].kind) << at;
    if (items[at].kind == "separator") continue;
    EXPECT_EQ(words[0], items[at].id);
    EXPECT_EQ(words[1], items[at].state);
    EXPECT_EQ(NthText(out, "menu.item", at, 3), items[at].text);
  }
  EXPECT_EQ(out.Word("exit"), "0");
}

TEST(DiffWindow, PaneFollowsTheClientAreaWhenResized) {
  DriverRun run = RunDiff({"resize", "500", "300", "resize", "900", "650"});
  ASSERT_TRUE(run.Followed()) << run.output;
  auto clients = run.transcript.All("rect.client");
  auto panes = run.transcript.All("rect.pane");
  ASSERT_EQ(clients.size(), 2u);
  ASSERT_EQ(panes.size(), 2u);
  for (size_t at = 0; at < 2; ++at) {
    EXPECT_EQ(panes[at],
              (std::vector<std::string>{"rect.pane", "0", "0", clients[at][3], clients[at][4]}))
        << run.output;
  }
  EXPECT_NE(clients[0], clients[1]);
}

TEST(DiffWindow, AboutShowsTheVersion) {
  DriverRun run = RunDiff({"command", "40005", "msgbox", "OK"});
  ASSERT_TRUE(run.Followed()) << run.output;
  std::string text = run.transcript.Text("msgbox.text");
  EXPECT_NE(text.find("Quopra Maker"), std::string::npos) << run.output;
  EXPECT_TRUE(text.ends_with(std::string(" ") + QPX_E2E_VERSION)) << run.output;
  EXPECT_EQ(run.transcript.Word("msgbox.icon"), "information");
  EXPECT_EQ(run.transcript.Word("exit"), "0");
}

// Its version resources hold packaging/VERSION's, padded to four numbers.
TEST(DiffWindow, CarriesTheVersionOfThePackages) {
  DriverRun run = RunDriver({"resources", WindowsPath(QPX_E2E_DIFF_EXE)});
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(run.transcript.All("resources.version"),
            (std::vector<std::vector<std::string>>{
                {"resources.version", QPX_E2E_FILE_VERSION, QPX_E2E_FILE_VERSION}}))
      << run.output;
}

TEST(DiffWindow, CloseEndsTheProgramLikeExit) {
  DriverRun run =
      RunDriver({"launch", WindowsPath(QPX_E2E_DIFF_EXE), "", "", "window", "close", "exit"});
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_EQ(run.transcript.Word("exit"), "0");
}

}  // namespace
}  // namespace e2e::diff
