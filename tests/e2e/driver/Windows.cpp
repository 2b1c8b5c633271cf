#include "Windows.h"

#include <dlgs.h>

#include "Text.h"

namespace drive {

namespace {

constexpr char kDialogClass[] = "#32770";
constexpr DWORD kSendTimeoutMs = 5000;

struct Search {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window)) search->found.push_back(window);
  return TRUE;
}

}  // namespace

std::string ClassOf(HWND window) {
  char name[256] = {};
  int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, static_cast<size_t>(length > 0 ? length : 0));
}

std::string TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &length)) {
    return {};
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_NORMAL, kSendTimeoutMs, &copied);
  text.resize(copied <= length ? copied : length);
  return Cp932(text);
}

WindowKind KindOf(HWND window) {
  if (ClassOf(window) != kDialogClass) return WindowKind::kMain;
  // Both Open and Save dialogs carry the file-type box cmb1.
  return GetDlgItem(window, cmb1) != nullptr ? WindowKind::kFileDialog : WindowKind::kMessageBox;
}

const char* KindName(WindowKind kind) {
  switch (kind) {
    case WindowKind::kMessageBox:
      return "message box";
    case WindowKind::kFileDialog:
      return "file dialog";
    case WindowKind::kMain:
      return "main window";
  }
  return "window";
}

std::vector<HWND> VisibleWindowsOf(DWORD processId) {
  Search search{processId, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindChildOfClass(HWND parent, const char* className) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (lstrcmpiA(ClassOf(child).c_str(), className) == 0) return child;
    if (HWND inner = FindChildOfClass(child, className)) return inner;
  }
  return nullptr;
}

std::string MessageTextOf(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    LONG style = GetWindowLongA(child, GWL_STYLE);
    if (lstrcmpiA(ClassOf(child).c_str(), "Static") != 0 || (style & SS_TYPEMASK) == SS_ICON) {
      continue;
    }
    std::string text = TextOf(child);
    if (!text.empty()) return text;
  }
  // A question too long for a message box shows its text in an edit box.
  HWND edit = FindChildOfClass(box, "Edit");
  return edit != nullptr ? TextOf(edit) : std::string();
}

bool TypeFileName(Session& session, HWND dialog, const std::string& name) {
  HWND box = GetDlgItem(dialog, cmb13);
  if (box == nullptr) box = GetDlgItem(dialog, edt1);
  DWORD_PTR ignored = 0;
  std::wstring wide = Wide(name);
  if (box == nullptr ||
      !SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), SMTO_NORMAL,
                           session.timeoutMs, &ignored)) {
    session.out.Error("cannot type into the dialog's name box");
    return false;
  }
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  return true;
}

void ReportUnexpected(Session& session, HWND window) {
  WindowKind kind = KindOf(window);
  session.out.Line("unexpected", kind == WindowKind::kMessageBox   ? "msgbox"
                                 : kind == WindowKind::kFileDialog ? "filedialog"
                                                                   : "window");
  session.out.Text("unexpected.caption", TextOf(window));
  if (kind == WindowKind::kMessageBox) session.out.Text("unexpected.text", MessageTextOf(window));
}

HWND WaitForWindow(Session& session, WindowKind wanted) {
  std::string what = KindName(wanted);
  if (!session.Launched()) {
    session.out.Error("no program launched before waiting for a " + what);
    return nullptr;
  }
  DWORD start = GetTickCount();
  for (;;) {
    for (HWND window : VisibleWindowsOf(session.processId)) {
      WindowKind kind = KindOf(window);
      if (kind == wanted) return window;
      if (kind != WindowKind::kMain) {
        ReportUnexpected(session, window);
        session.out.Error(std::string("a ") + KindName(kind) + " came while waiting for a " + what);
        return nullptr;
      }
    }
    if (session.ProcessEnded()) {
      DWORD code = 0;
      GetExitCodeProcess(session.process, &code);
      session.out.Error("the program ended (exit code " + std::to_string(code) +
                        ") while waiting for a " + what);
      return nullptr;
    }
    if (GetTickCount() - start > session.timeoutMs) {
      session.out.Error("timeout waiting for a " + what);
      return nullptr;
    }
    Sleep(kPollMs);
  }
}

bool WaitForNoDialog(Session& session) {
  DWORD start = GetTickCount();
  for (;;) {
    HWND dialog = nullptr;
    for (HWND window : VisibleWindowsOf(session.processId)) {
      if (KindOf(window) != WindowKind::kMain) dialog = window;
    }
    if (dialog == nullptr) return true;
    if (GetTickCount() - start > session.timeoutMs) {
      ReportUnexpected(session, dialog);
      session.out.Error("a dialog is still open");
      return false;
    }
    Sleep(kPollMs);
  }
}

bool WaitUntilGone(Session& session, HWND window, const char* what) {
  DWORD start = GetTickCount();
  while (IsWindow(window) && IsWindowVisible(window)) {
    if (GetTickCount() - start > session.timeoutMs) {
      session.out.Error(std::string("timeout waiting for the ") + what + " to close");
      return false;
    }
    Sleep(kPollMs);
  }
  return true;
}

}  // namespace drive
