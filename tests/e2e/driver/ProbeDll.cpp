// The probe: runs inside the program under test (loaded there by the
// driver's thread hook) and answers what only that process can see.
#include <windows.h>
// The common dialog headers need the types of <windows.h> first.
#include <commdlg.h>
#include <dlgs.h>

#include <array>
#include <string>
#include <vector>

#include "ProbeProtocol.h"

namespace {

using Fields = std::vector<std::string>;

struct IconKind {
  LPCSTR id;
  const char* name;
};

const std::array<IconKind, 4> kIconKinds = {{
    {IDI_HAND, "error"},
    {IDI_EXCLAMATION, "exclamation"},
    {IDI_QUESTION, "question"},
    {IDI_ASTERISK, "information"},
}};

HWND FindIconStatic(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[16] = {};
    GetClassNameA(child, name, sizeof name);
    LONG style = GetWindowLongA(child, GWL_STYLE);
    if (lstrcmpiA(name, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) return child;
  }
  return nullptr;
}

Fields AskIcon(HWND box) {
  HWND icon = FindIconStatic(box);
  if (icon == nullptr || !IsWindowVisible(icon)) return {"none"};
  auto shown = reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0));
  if (shown == nullptr) return {"none"};
  for (const IconKind& kind : kIconKinds) {
    if (LoadIconA(nullptr, kind.id) == shown) return {kind.name};
  }
  return {"other"};
}

std::string StateWord(UINT state) {
  std::string word = (state & MF_GRAYED)     ? "grayed"
                     : (state & MF_DISABLED) ? "disabled"
                                             : "enabled";
  if (state & MF_CHECKED) word += ",checked";
  return word;
}

Fields AskMenu(HWND window, int popupIndex) {
  HMENU bar = GetMenu(window);
  HMENU popup = bar ? GetSubMenu(bar, popupIndex) : nullptr;
  if (popup == nullptr) return {};
  SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup),
               MAKELPARAM(popupIndex, FALSE));
  Fields fields;
  int count = GetMenuItemCount(popup);
  for (int at = 0; at < count; ++at) {
    UINT state = GetMenuState(popup, static_cast<UINT>(at), MF_BYPOSITION);
    char text[512] = {};
    GetMenuStringA(popup, static_cast<UINT>(at), text, sizeof text, MF_BYPOSITION);
    const char* kind = (state & MF_SEPARATOR) ? "separator" : (state & MF_POPUP) ? "popup" : "item";
    fields.push_back(std::to_string(static_cast<int>(GetMenuItemID(popup, at))));
    fields.push_back(StateWord(state));
    fields.push_back(kind);
    fields.push_back(text);
  }
  return fields;
}

// Wine answers CDM_GETFOLDERPATH in the character set of the call that made
// the dialog; a path always starts with a drive letter and a colon.
std::string FolderOf(HWND dialog) {
  std::array<char, 2048> buffer{};
  SendMessageA(dialog, CDM_GETFOLDERPATH, buffer.size() / 2,
               reinterpret_cast<LPARAM>(buffer.data()));
  if (buffer[0] == 0 || buffer[1] != 0) return buffer.data();
  auto* wide = reinterpret_cast<const wchar_t*>(buffer.data());
  char narrow[1024] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
  return narrow;
}

std::string TextOf(HWND control) {
  if (control == nullptr) return {};
  std::string text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
  int length = GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(length < 0 ? 0 : length));
  return text;
}

// Wine's file-type box holds each description as its text and a pointer to
// the pattern, in UTF-16, as its item data.
Fields AskFileDialog(HWND dialog) {
  HWND name = GetDlgItem(dialog, cmb13);
  if (name == nullptr) name = GetDlgItem(dialog, edt1);
  Fields fields = {FolderOf(dialog), TextOf(name)};
  HWND types = GetDlgItem(dialog, cmb1);
  int count = types ? static_cast<int>(SendMessageA(types, CB_GETCOUNT, 0, 0)) : 0;
  for (int at = 0; at < count; ++at) {
    char description[1024] = {};
    SendMessageA(types, CB_GETLBTEXT, static_cast<WPARAM>(at),
                 reinterpret_cast<LPARAM>(description));
    auto* pattern = reinterpret_cast<const wchar_t*>(SendMessageA(types, CB_GETITEMDATA, at, 0));
    char narrow[1024] = {};
    if (pattern != nullptr && pattern != reinterpret_cast<const wchar_t*>(CB_ERR)) {
      WideCharToMultiByte(CP_ACP, 0, pattern, -1, narrow, sizeof narrow, nullptr, nullptr);
    }
    fields.push_back(description);
    fields.push_back(narrow);
  }
  return fields;
}

void Reply(HWND replyTo, unsigned short query, const Fields& fields) {
  std::string data;
  for (const std::string& field : fields) data += field + '\0';
  COPYDATASTRUCT copy{query, static_cast<DWORD>(data.size()), data.data()};
  SendMessageA(replyTo, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
}

void Answer(HWND target, HWND replyTo, LPARAM request) {
  auto query = static_cast<unsigned short>(LOWORD(request));
  int argument = static_cast<short>(HIWORD(request));
  switch (query) {
    case probe::kQueryIcon:
      Reply(replyTo, query, AskIcon(target));
      break;
    case probe::kQueryMenu:
      Reply(replyTo, query, AskMenu(target, argument));
      break;
    case probe::kQueryFileDialog:
      Reply(replyTo, query, AskFileDialog(target));
      break;
    default:
      Reply(replyTo, query, {});
  }
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    ProbeCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
  static const UINT queryMessage = RegisterWindowMessageA(probe::kProbeQueryMessage);
  if (code == HC_ACTION) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (message->message == queryMessage) {
      Answer(message->hwnd, reinterpret_cast<HWND>(message->wParam), message->lParam);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
