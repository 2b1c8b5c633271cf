// msgbox BUTTON: waits for a message box of the program, reports it, and
// presses the named button.
#include <array>
#include <optional>

#include "ProbeProtocol.h"
#include "Steps.h"
#include "Windows.h"

namespace drive {

namespace {

struct ButtonName {
  int id;
  const char* name;
};

const std::array<ButtonName, 9> kButtons = {{
    {IDOK, "OK"},
    {IDCANCEL, "Cancel"},
    {IDABORT, "Abort"},
    {IDRETRY, "Retry"},
    {IDIGNORE, "Ignore"},
    {IDYES, "Yes"},
    {IDNO, "No"},
    {IDTRYAGAIN, "TryAgain"},
    {IDCONTINUE, "Continue"},
}};

std::optional<int> ButtonId(const std::string& name) {
  for (const ButtonName& button : kButtons) {
    if (name == button.name) return button.id;
  }
  return std::nullopt;
}

// Names of the visible buttons, in the order of the table.
std::string ShownButtons(HWND box) {
  std::string names;
  for (const ButtonName& button : kButtons) {
    HWND control = GetDlgItem(box, button.id);
    if (control == nullptr || !IsWindowVisible(control)) continue;
    names += (names.empty() ? "" : " ") + std::string(button.name);
  }
  return names.empty() ? "none" : names;
}

}  // namespace

bool StepMessageBox(Session& session, const std::vector<std::string>& args) {
  std::optional<int> press = ButtonId(args[0]);
  if (!press) {
    session.out.Error("no button named '" + args[0] + "'");
    return false;
  }
  HWND box = WaitForWindow(session, WindowKind::kMessageBox);
  if (box == nullptr) return false;
  session.out.Text("msgbox.caption", TextOf(box));
  session.out.Text("msgbox.text", MessageTextOf(box));
  auto icon = session.probe.Ask(box, probe::kQueryIcon, 0, session.timeoutMs);
  if (!icon || icon->size() != 1) {
    session.out.Error("no icon kind: " + session.probe.LastError());
    return false;
  }
  session.out.Line("msgbox.icon", icon->front());
  session.out.Line("msgbox.buttons", ShownButtons(box));
  HWND owner = GetWindow(box, GW_OWNER);
  session.out.Line("msgbox.owner", owner == nullptr              ? "none"
                                   : owner == session.mainWindow ? "main"
                                                                 : "other");
  HWND button = GetDlgItem(box, *press);
  if (button == nullptr || !IsWindowVisible(button)) {
    session.out.Error("the message box has no button " + args[0]);
    return false;
  }
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(*press, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  if (!WaitUntilGone(session, box, "message box")) return false;
  session.out.Line("msgbox.pressed", args[0]);
  return true;
}

}  // namespace drive
