#include "qpxdiff/MainWindow.h"

#include "compare/DiffMessages.h"
#include "platform/Window.h"
#include "qpxdiff/DiffCommands.h"
#include "qpxdiff/resource.h"

namespace {

using platform::WindowHandle;

constexpr uint32_t kPaneStyle = platform::kWsChild | platform::kWsVisible | platform::kWsVScroll |
                                platform::kWsHScroll | platform::kWsTabStop |
                                platform::kEsMultiline | platform::kEsAutoVScroll |
                                platform::kEsAutoHScroll | platform::kEsNoHideSel |
                                platform::kEsReadOnly | platform::kEsWantReturn;
static_assert(kPaneStyle == 0x503119C4);

constexpr intptr_t kHandled = 0;
constexpr intptr_t kNotHandled = 1;  // goes on to DefWindowProcA

uint32_t LowWord(uintptr_t value) { return static_cast<uint32_t>(value & 0xFFFF); }
uint32_t HighWord(uintptr_t value) { return static_cast<uint32_t>((value >> 16) & 0xFFFF); }

// The object the window procedure serves; set while a CDiffMaker lives.
CDiffMaker* current = nullptr;

}  // namespace

struct CDiffMaker::MessageRoute {
  uint32_t message;
  intptr_t (CDiffMaker::*handler)(WindowHandle, uintptr_t, intptr_t);
};

struct CDiffMaker::CommandRoute {
  uint32_t command;
  intptr_t (CDiffMaker::*handler)(WindowHandle);
};

const CDiffMaker::MessageRoute CDiffMaker::kMessageRoutes[] = {
    {platform::kWmDestroy, &CDiffMaker::OnDestroy},
    {platform::kWmCreate, &CDiffMaker::OnCreate},
    {platform::kWmSize, &CDiffMaker::OnSize},
    {platform::kWmSetFocus, &CDiffMaker::OnSetFocus},
    {platform::kWmInitMenuPopup, &CDiffMaker::OnInitMenuPopup},
    {platform::kWmCommand, &CDiffMaker::OnCommand},
    {platform::kWmDpiChanged, &CDiffMaker::OnDpiChanged},
    {platform::kWmDropFiles, &CDiffMaker::OnDropFiles},
};

const CDiffMaker::CommandRoute CDiffMaker::kCommandRoutes[] = {
    {IDM_HELP_ABOUT, &CDiffMaker::OnAbout},
    {IDM_FILE_EXIT, &CDiffMaker::OnExit},
    {IDM_FILE_OPEN, &CDiffMaker::OnOpen},
    {IDM_FILE_CREATE_SCRIPT, &CDiffMaker::OnCreateScript},
};

CDiffMaker::CDiffMaker(platform::InstanceHandle instance) : instance_(instance) { current = this; }

CDiffMaker::~CDiffMaker() {
  if (current == this) current = nullptr;
}

intptr_t CDiffMaker::WindowProcedure(WindowHandle window, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam) {
  if (current != nullptr) {
    for (const MessageRoute& route : kMessageRoutes) {
      if (route.message != message) continue;
      if ((current->*route.handler)(window, wParam, lParam) == kHandled) return 0;
      break;
    }
  }
  return platform::DefWindowProcA(window, message, wParam, lParam);
}

bool CDiffMaker::CreateMainWindow(int showCommand) {
  platform::WindowClassRecord windowClass{};
  windowClass.procedure = &CDiffMaker::WindowProcedure;
  windowClass.instance = instance_;
  windowClass.icon = platform::LoadIconA(instance_, IDI_QPXDIFF);
  windowClass.smallIcon = platform::LoadIconA(instance_, IDI_QPXDIFF);
  windowClass.background = platform::kColorBtnFace + 1;
  windowClass.menuId = IDM_QPXDIFF;
  windowClass.className = kMainWindowClass;
  if (platform::RegisterClassExA(windowClass) == 0) return false;
  WindowHandle window = platform::CreateWindowExA(
      0, kMainWindowClass, kMainWindowClass, platform::kWsOverlappedWindow, platform::kCwUseDefault,
      platform::kCwUseDefault, platform::kCwUseDefault, platform::kCwUseDefault, nullptr, 0,
      instance_);
  if (window == nullptr) return false;
  mainWindow_ = window;
  platform::ShowWindow(window, showCommand);
  platform::UpdateWindow(window);
  return true;
}

int CDiffMaker::RunMessageLoop() {
  platform::Message message{};
  int got;
  while ((got = platform::GetMessageA(message)) > 0) {
    platform::TranslateMessage(message);
    platform::DispatchMessageA(message);
  }
  return got == 0 ? static_cast<int>(message.wParam) : 0;
}

intptr_t CDiffMaker::OnCreate(WindowHandle window, uintptr_t, intptr_t) {
  mainWindow_ = window;
  platform::Rect client{};
  platform::GetClientRect(window, client);
  pane_ = platform::CreateWindowExA(platform::kWsExClientEdge, "EDIT",
                                    std::string(kInitialPaneText).c_str(), kPaneStyle, client.left,
                                    client.top, client.right - client.left,
                                    client.bottom - client.top, window, kPaneId, instance_);
  auto font = reinterpret_cast<intptr_t>(platform::GetFixedFont(platform::GetWindowDpi(window)));
  platform::SendMessageA(pane_, platform::kWmSetFont, static_cast<uintptr_t>(font), 1);
  platform::DragAcceptFiles(window, 1);
  return kHandled;
}

intptr_t CDiffMaker::OnDestroy(WindowHandle, uintptr_t, intptr_t) {
  platform::PostQuitMessage(0);
  return kHandled;
}

intptr_t CDiffMaker::OnSize(WindowHandle, uintptr_t, intptr_t lParam) {
  auto size = static_cast<uintptr_t>(lParam);
  platform::MoveWindow(pane_, 0, 0, static_cast<int32_t>(LowWord(size)),
                       static_cast<int32_t>(HighWord(size)), 1);
  return kHandled;
}

intptr_t CDiffMaker::OnSetFocus(WindowHandle, uintptr_t, intptr_t) {
  platform::SetFocus(pane_);
  return kHandled;
}

// Greys Create script unless the last comparison found differences; only
// for the File pop-up, never for the window menu.
intptr_t CDiffMaker::OnInitMenuPopup(WindowHandle window, uintptr_t wParam, intptr_t lParam) {
  if (HighWord(static_cast<uintptr_t>(lParam)) != 0) return kNotHandled;
  auto popup = reinterpret_cast<platform::MenuHandle>(wParam);
  if (popup == nullptr || popup != platform::GetSubMenu(platform::GetMenu(window), 0)) {
    return kNotHandled;
  }
  uint32_t state = comparison_.FoundDifferences() ? platform::kMfEnabled : platform::kMfGrayed;
  platform::EnableMenuItem(popup, IDM_FILE_CREATE_SCRIPT, platform::kMfByCommand | state);
  return kHandled;
}

intptr_t CDiffMaker::OnCommand(WindowHandle window, uintptr_t wParam, intptr_t) {
  for (const CommandRoute& route : kCommandRoutes) {
    if (route.command == LowWord(wParam)) return (this->*route.handler)(window);
  }
  return kNotHandled;
}

// Moved to a monitor of another scale: the pane's font for the new DPI
// (the high word; both words are equal), and the window to the size and
// place the system suggests, which resizes the pane.
intptr_t CDiffMaker::OnDpiChanged(WindowHandle window, uintptr_t wParam, intptr_t lParam) {
  auto font = reinterpret_cast<intptr_t>(platform::GetFixedFont(HighWord(wParam)));
  platform::SendMessageA(pane_, platform::kWmSetFont, static_cast<uintptr_t>(font), 1);
  const auto* suggested = reinterpret_cast<const platform::Rect*>(lParam);
  platform::MoveWindow(window, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, 1);
  return kHandled;
}

// The names of the files dropped, released before anything is shown.
intptr_t CDiffMaker::OnDropFiles(WindowHandle, uintptr_t wParam, intptr_t) {
  auto drop = reinterpret_cast<platform::DropHandle>(wParam);
  std::string unused;
  std::vector<std::string> paths(
      platform::QueryDroppedFile(drop, platform::kDragQueryCount, unused));
  for (uint32_t at = 0; at < paths.size(); ++at) platform::QueryDroppedFile(drop, at, paths[at]);
  platform::DragFinish(drop);
  nextDropped_ = TakeFiles(View(), nextDropped_, paths);
  return kHandled;
}

intptr_t CDiffMaker::OnOpen(WindowHandle) {
  nextDropped_ = NextFile::kFirst;
  return RunOpenCommand(View(), NextFile::kFirst);
}

void CDiffMaker::TakeCommandLine(const std::vector<std::string>& paths) {
  if (TakeFiles(View(), NextFile::kFirst, paths) == NextFile::kSecond) {
    RunOpenCommand(View(), NextFile::kSecond);
  }
}

intptr_t CDiffMaker::OnCreateScript(WindowHandle window) {
  return RunCreateScriptCommand(window, comparison_);
}

intptr_t CDiffMaker::OnExit(WindowHandle window) {
  platform::SendMessageA(window, platform::kWmSysCommand, platform::kScClose, 0);
  return kHandled;
}

intptr_t CDiffMaker::OnAbout(WindowHandle window) {
  ShowMessage(window, DiffMessage::kAbout);
  return kHandled;
}

int RunDiffMaker(platform::InstanceHandle instance, int showCommand,
                 const std::vector<std::string>& paths) {
  CDiffMaker maker(instance);
  if (!maker.CreateMainWindow(showCommand)) return 0;
  maker.TakeCommandLine(paths);
  return maker.RunMessageLoop();
}
