// filedialog ANSWER: waits for an Open or Save dialog of the program,
// reports it, then presses Cancel (ANSWER "cancel") or types ANSWER into the
// name box and presses the default button.
#include <windows.h>

#include "ProbeProtocol.h"
#include "Steps.h"
#include "Text.h"
#include "Windows.h"

namespace drive {

namespace {

constexpr char kCancel[] = "cancel";

bool Report(Session& session, HWND dialog) {
  session.out.Text("filedialog.title", TextOf(dialog));
  session.out.Text("filedialog.okbutton", TextOf(GetDlgItem(dialog, IDOK)));
  auto fields = session.probe.Ask(dialog, probe::kQueryFileDialog, 0, session.timeoutMs);
  if (!fields || fields->size() < 2 || fields->size() % 2 != 0) {
    session.out.Error("no answer about the dialog: " + session.probe.LastError());
    return false;
  }
  session.out.Text("filedialog.folder", (*fields)[0]);
  session.out.Text("filedialog.name", (*fields)[1]);
  for (size_t at = 2; at < fields->size(); at += 2) {
    session.out.Texts("filedialog.filter", {(*fields)[at], (*fields)[at + 1]});
  }
  return true;
}

// The dialog closed, or it shows a message box of its own (an overwrite
// prompt, a missing file): either ends the step.
bool WaitForAnswerTaken(Session& session, HWND dialog) {
  DWORD start = GetTickCount();
  for (;;) {
    if (!IsWindow(dialog) || !IsWindowVisible(dialog)) return true;
    for (HWND window : VisibleWindowsOf(session.processId)) {
      if (KindOf(window) == WindowKind::kMessageBox) return true;
    }
    if (GetTickCount() - start > session.timeoutMs) {
      session.out.Error("timeout waiting for the file dialog to take the answer");
      return false;
    }
    Sleep(kPollMs);
  }
}

}  // namespace

bool StepFileDialog(Session& session, const std::vector<std::string>& args) {
  HWND dialog = WaitForWindow(session, WindowKind::kFileDialog);
  if (dialog == nullptr || !Report(session, dialog)) return false;
  const std::string& answer = args[0];
  if (answer == kCancel) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    if (!WaitUntilGone(session, dialog, "file dialog")) return false;
    session.out.Line("filedialog.cancelled", "");
    return true;
  }
  if (!TypeFileName(session, dialog, answer) || !WaitForAnswerTaken(session, dialog)) return false;
  session.out.Text("filedialog.chose", Cp932FromUtf8(answer));
  return true;
}

}  // namespace drive
