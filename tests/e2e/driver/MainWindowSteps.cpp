// Steps on the program's main window: its class and title, menu commands and
// menu states, the EDIT pane's text, size, focus, a screenshot and closing.
#include <optional>

#include "ProbeProtocol.h"
#include "Screenshot.h"
#include "Steps.h"
#include "Text.h"
#include "Windows.h"

namespace drive {

namespace {

// The main window, once no dialog of the program is open any more: a step
// on the main window is meant for the program at rest.
HWND MainWindow(Session& session) {
  if (session.mainWindow == nullptr || !IsWindow(session.mainWindow)) {
    session.mainWindow = WaitForWindow(session, WindowKind::kMain);
  }
  if (session.mainWindow == nullptr || !WaitForNoDialog(session)) return nullptr;
  return session.mainWindow;
}

// Lets the program handle everything sent or posted to it so far.
void Settle(Session& session, HWND window) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, session.timeoutMs, &ignored);
}

std::string RectWords(const RECT& rect) {
  return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
         std::to_string(rect.right) + " " + std::to_string(rect.bottom);
}

bool ParseNumbers(Session& session, const std::vector<std::string>& args,
                  std::vector<unsigned long>& numbers) {
  for (const std::string& word : args) {
    unsigned long value = 0;
    if (!ParseNumber(word, value)) {
      session.out.Error("'" + word + "' is no number");
      return false;
    }
    numbers.push_back(value);
  }
  return true;
}

const char* FocusRole(HWND focus, HWND main, HWND pane) {
  if (focus == nullptr) return "none";
  if (focus == pane) return "pane";
  if (focus == main) return "main";
  return "other";
}

}  // namespace

bool StepWindow(Session& session, const std::vector<std::string>&) {
  HWND main = MainWindow(session);
  if (main == nullptr) return false;
  session.out.Text("window.class", ClassOf(main));
  session.out.Text("window.title", TextOf(main));
  session.out.Line("window.menu", GetMenu(main) != nullptr ? "yes" : "no");
  return true;
}

bool StepCommand(Session& session, const std::vector<std::string>& args) {
  std::vector<unsigned long> id;
  HWND main = ParseNumbers(session, args, id) ? MainWindow(session) : nullptr;
  if (main == nullptr) return false;
  PostMessageA(main, WM_COMMAND, MAKEWPARAM(id[0], 0), 0);
  session.out.Line("command", std::to_string(id[0]));
  return true;
}

bool StepMenu(Session& session, const std::vector<std::string>& args) {
  std::vector<unsigned long> index;
  HWND main = ParseNumbers(session, args, index) ? MainWindow(session) : nullptr;
  if (main == nullptr) return false;
  auto fields =
      session.probe.Ask(main, probe::kQueryMenu, static_cast<int>(index[0]), session.timeoutMs);
  if (!fields || fields->empty() || fields->size() % 4 != 0) {
    session.out.Error("no menu pop-up " + args[0] + " " + session.probe.LastError());
    return false;
  }
  for (size_t at = 0; at < fields->size(); at += 4) {
    const std::string& text = (*fields)[at + 3];
    session.out.Line("menu.item", (*fields)[at] + " " + (*fields)[at + 1] + " " +
                                      (*fields)[at + 2] + " " + hex::Encode(text) + " # " +
                                      Readable(text));
  }
  return true;
}

bool StepEdit(Session& session, const std::vector<std::string>&) {
  HWND main = MainWindow(session);
  HWND pane = main ? FindChildOfClass(main, "Edit") : nullptr;
  if (pane == nullptr) {
    if (main != nullptr) session.out.Error("the main window has no EDIT child");
    return false;
  }
  Settle(session, main);
  session.out.Text("edit.text", TextOf(pane));
  bool readOnly = (GetWindowLongA(pane, GWL_STYLE) & ES_READONLY) != 0;
  session.out.Line("edit.readonly", readOnly ? "yes" : "no");
  return true;
}

namespace {

// Asks the probe in the main window's thread; reports an error unless the
// answer has `count` fields.
std::optional<std::vector<std::string>> AskAboutMainWindow(Session& session, probe::Query query,
                                                           size_t count, const char* what) {
  HWND main = MainWindow(session);
  if (main == nullptr) return std::nullopt;
  auto fields = session.probe.Ask(main, query, 0, session.timeoutMs);
  if (!fields || fields->size() != count) {
    session.out.Error(std::string("no ") + what + " " + session.probe.LastError());
    return std::nullopt;
  }
  return fields;
}

}  // namespace

bool StepFont(Session& session, const std::vector<std::string>&) {
  auto fields = AskAboutMainWindow(session, probe::kQueryPaneFont, 5, "font of the pane");
  if (!fields) return false;
  session.out.Text("font.face", (*fields)[0]);
  session.out.Line("font.pitch", (*fields)[1]);
  session.out.Line("font.japanese", (*fields)[2]);
  session.out.Line("font.height", (*fields)[3]);
  session.out.Line("font.stock", (*fields)[4]);
  return true;
}

bool StepDisplay(Session& session, const std::vector<std::string>&) {
  auto fields =
      AskAboutMainWindow(session, probe::kQueryDisplay, 3, "display settings of the main window");
  if (!fields) return false;
  session.out.Line("display.awareness", (*fields)[0]);
  session.out.Line("display.dpi", (*fields)[1]);
  session.out.Text("display.comctl32", (*fields)[2]);
  return true;
}

bool StepResize(Session& session, const std::vector<std::string>& args) {
  std::vector<unsigned long> size;
  HWND main = ParseNumbers(session, args, size) ? MainWindow(session) : nullptr;
  if (main == nullptr) return false;
  SetWindowPos(main, nullptr, 0, 0, static_cast<int>(size[0]), static_cast<int>(size[1]),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Settle(session, main);
  RECT window{};
  RECT client{};
  GetWindowRect(main, &window);
  GetClientRect(main, &client);
  session.out.Line("rect.window", RectWords(window));
  session.out.Line("rect.client", RectWords(client));
  if (HWND pane = FindChildOfClass(main, "Edit")) {
    RECT rect{};
    GetWindowRect(pane, &rect);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&rect), 2);
    session.out.Line("rect.pane", RectWords(rect));
  }
  return true;
}

bool StepFocus(Session& session, const std::vector<std::string>&) {
  HWND main = MainWindow(session);
  if (main == nullptr) return false;
  SetForegroundWindow(main);
  Settle(session, main);
  DWORD thread = GetWindowThreadProcessId(main, nullptr);
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  DWORD start = GetTickCount();
  while (GetForegroundWindow() != main || !GetGUIThreadInfo(thread, &info) ||
         info.hwndFocus == nullptr) {
    if (GetTickCount() - start > session.timeoutMs) break;
    Sleep(kPollMs);
  }
  session.out.Line("focus.foreground", GetForegroundWindow() == main ? "yes" : "no");
  session.out.Text("focus.class", info.hwndFocus ? ClassOf(info.hwndFocus) : std::string());
  session.out.Line("focus.is", FocusRole(info.hwndFocus, main, FindChildOfClass(main, "Edit")));
  return true;
}

bool StepScreenshot(Session& session, const std::vector<std::string>& args) {
  HWND main = MainWindow(session);
  if (main == nullptr) return false;
  SetForegroundWindow(main);
  RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Settle(session, main);
  std::string error;
  if (!CaptureWindow(main, args[0], error)) {
    session.out.Error("screenshot failed: " + error);
    return false;
  }
  session.out.Text("screenshot", Cp932FromUtf8(args[0]));
  return true;
}

// The probe drops the files in the program, where the shell would make
// the drop; then the step waits until the program took the message.
bool StepDrop(Session& session, const std::vector<std::string>& args) {
  HWND main = MainWindow(session);
  if (main == nullptr) return false;
  std::string paths;
  for (const std::string& path : args) {
    if (!path.empty()) paths += (paths.empty() ? "" : "|") + path;
  }
  auto dropped = session.probe.Ask(main, probe::kQueryDrop, 0, session.timeoutMs, Wide(paths));
  if (!dropped || dropped->size() != 1) {
    session.out.Error("cannot drop the files " + session.probe.LastError());
    return false;
  }
  DWORD start = GetTickCount();
  for (;;) {
    auto waiting = session.probe.Ask(main, probe::kQueryDropWaiting, 0, session.timeoutMs);
    if (waiting && waiting->size() == 1 && (*waiting)[0] == "no") break;
    if (GetTickCount() - start > session.timeoutMs) {
      session.out.Error("the program did not take the dropped files");
      return false;
    }
    Sleep(kPollMs);
  }
  session.out.Text("drop", Cp932FromUtf8(paths));
  return true;
}

bool StepClose(Session& session, const std::vector<std::string>&) {
  HWND main = MainWindow(session);
  if (main == nullptr) return false;
  PostMessageA(main, WM_CLOSE, 0, 0);
  session.out.Line("close", "");
  return true;
}

}  // namespace drive
