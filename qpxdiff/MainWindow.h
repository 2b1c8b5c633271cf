// The main window of the difference-script maker: a menu and a read-only
// pane that shows the differences, with its message and command tables.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compare/Comparison.h"
#include "platform/Types.h"
#include "qpxdiff/DiffCommands.h"

inline constexpr char kMainWindowClass[] = "Quopra Maker";
inline constexpr uint32_t kPaneId = 100;
// The first two lines begin with an ideographic space.
inline constexpr std::string_view kInitialPaneText =
    "　ここにデータの差異が表示されます。\r\n"
    "　[ファイル(&F)|開く(&O)...]メニューから、Quopraソースファイルを\r\n"
    "作成する元となる2つのファイルを選択してください。\r\n";

// The program's one window and the comparison it shows. While an object
// lives, the window procedure routes every message to it.
class CDiffMaker {
 public:
  explicit CDiffMaker(platform::InstanceHandle instance);
  ~CDiffMaker();
  CDiffMaker(const CDiffMaker&) = delete;
  CDiffMaker& operator=(const CDiffMaker&) = delete;

  // Registers the window class, creates the main window with its pane,
  // shows and updates it; false when the class or the window fails.
  bool CreateMainWindow(int showCommand);
  // The files named on the command line (in CP932; empty for a name that
  // has none): two are compared, one is taken as the first file and the
  // Open dialog asks for the second; none changes nothing.
  void TakeCommandLine(const std::vector<std::string>& paths);
  // Dispatches messages until WM_QUIT and returns its exit code.
  int RunMessageLoop();

  static intptr_t WindowProcedure(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                  intptr_t lParam);

 private:
  struct MessageRoute;
  struct CommandRoute;
  static const MessageRoute kMessageRoutes[];
  static const CommandRoute kCommandRoutes[];

  intptr_t OnCreate(platform::WindowHandle window, uintptr_t wParam, intptr_t lParam);
  intptr_t OnDestroy(platform::WindowHandle window, uintptr_t wParam, intptr_t lParam);
  intptr_t OnSize(platform::WindowHandle window, uintptr_t wParam, intptr_t lParam);
  intptr_t OnSetFocus(platform::WindowHandle window, uintptr_t wParam, intptr_t lParam);
  intptr_t OnInitMenuPopup(platform::WindowHandle window, uintptr_t wParam, intptr_t lParam);
  intptr_t OnCommand(platform::WindowHandle window, uintptr_t wParam, intptr_t lParam);
  intptr_t OnDpiChanged(platform::WindowHandle window, uintptr_t wParam, intptr_t lParam);
  intptr_t OnDropFiles(platform::WindowHandle window, uintptr_t wParam, intptr_t lParam);

  intptr_t OnOpen(platform::WindowHandle window);
  intptr_t OnCreateScript(platform::WindowHandle window);
  intptr_t OnExit(platform::WindowHandle window);
  intptr_t OnAbout(platform::WindowHandle window);

  platform::InstanceHandle instance_;
  platform::WindowHandle mainWindow_ = nullptr;
  platform::WindowHandle pane_ = nullptr;
  CComparison comparison_;
  // What a file dropped next becomes: the second after one dropped alone.
  NextFile nextDropped_ = NextFile::kFirst;

  DiffView View() { return {mainWindow_, pane_, comparison_}; }
};

// The program: the window, the files of its command line and its message
// loop; the loop's exit code, or 0 when the window cannot be made.
int RunDiffMaker(platform::InstanceHandle instance, int showCommand,
                 const std::vector<std::string>& paths);
