// The probe: runs inside the program under test (loaded there by the
// driver's thread hook) and answers what only that process can see.
#include <windows.h>
// The common dialog and shell headers need the types of <windows.h> first.
#include <commdlg.h>
#include <dlgs.h>
#include <shlobj.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "ProbeProtocol.h"
#include "Text.h"

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
    wchar_t text[512] = {};
    GetMenuStringW(popup, static_cast<UINT>(at), text, 512, MF_BYPOSITION);
    const char* kind = (state & MF_SEPARATOR) ? "separator" : (state & MF_POPUP) ? "popup" : "item";
    fields.push_back(std::to_string(static_cast<int>(GetMenuItemID(popup, at))));
    fields.push_back(StateWord(state));
    fields.push_back(kind);
    fields.push_back(drive::Cp932(text));
  }
  return fields;
}

// Wine answers CDM_GETFOLDERPATH in the character set of the call that made
// the dialog (the ANSI code page or UTF-16); a path always starts with a
// drive letter and a colon.
std::string FolderOf(HWND dialog) {
  std::array<char, 2048> buffer{};
  SendMessageA(dialog, CDM_GETFOLDERPATH, buffer.size() / 2,
               reinterpret_cast<LPARAM>(buffer.data()));
  if (buffer[0] == 0 || buffer[1] != 0) {
    std::wstring wide(buffer.size(), L'\0');
    int length = MultiByteToWideChar(CP_ACP, 0, buffer.data(), -1, wide.data(),
                                     static_cast<int>(wide.size()));
    wide.resize(static_cast<size_t>(length > 0 ? length - 1 : 0));
    return drive::Cp932(wide);
  }
  return drive::Cp932(reinterpret_cast<const wchar_t*>(buffer.data()));
}

std::string TextOf(HWND control) {
  if (control == nullptr) return {};
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  int length = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(length < 0 ? 0 : length));
  return drive::Cp932(text);
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
    wchar_t description[1024] = {};
    SendMessageW(types, CB_GETLBTEXT, static_cast<WPARAM>(at),
                 reinterpret_cast<LPARAM>(description));
    auto* pattern = reinterpret_cast<const wchar_t*>(SendMessageW(types, CB_GETITEMDATA, at, 0));
    bool hasPattern = pattern != nullptr && pattern != reinterpret_cast<const wchar_t*>(CB_ERR);
    fields.push_back(drive::Cp932(description));
    fields.push_back(hasPattern ? drive::Cp932(pattern) : std::string());
  }
  return fields;
}

HWND FindEditChild(HWND parent) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[16] = {};
    GetClassNameW(child, name, 16);
    if (lstrcmpiW(name, L"Edit") == 0) return child;
  }
  return nullptr;
}

// The pane's font as it draws: its face, its pitch, whether the Japanese
// of the programs' texts (a kanji, kana, a full-width space) has glyphs in
// it, its height, and whether it is the stock SYSTEM_FIXED_FONT.
Fields AskPaneFont(HWND window) {
  HWND pane = FindEditChild(window);
  if (pane == nullptr) return {};
  HDC dc = GetDC(pane);
  auto font = reinterpret_cast<HFONT>(SendMessageW(pane, WM_GETFONT, 0, 0));
  HGDIOBJ previous = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const wchar_t japanese[] = L"表ア　";
  WORD glyphs[3] = {};
  DWORD found = GetGlyphIndicesW(dc, japanese, 3, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
  bool hasGlyphs = found == 3 && glyphs[0] != 0xFFFF && glyphs[1] != 0xFFFF && glyphs[2] != 0xFFFF;
  SelectObject(dc, previous);
  ReleaseDC(pane, dc);
  // The bit is set for a font of variable pitch.
  bool fixed = (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0;
  bool stock = font != nullptr && font == GetStockObject(SYSTEM_FIXED_FONT);
  return {drive::Cp932(face), fixed ? "fixed" : "variable", hasGlyphs ? "yes" : "no",
          std::to_string(metrics.tmHeight), stock ? "yes" : "no"};
}

struct AwarenessKind {
  DPI_AWARENESS_CONTEXT context;
  const char* name;
};

// The common controls the program has loaded (comdlg32 and the themed
// EDIT class load them): version 6 from the side-by-side store where the
// manifest asks for them, else the system folder's version 5.
std::string CommonControlsModule() {
  HMODULE module = GetModuleHandleW(L"comctl32.dll");
  wchar_t path[MAX_PATH] = {};
  if (module == nullptr || GetModuleFileNameW(module, path, MAX_PATH) == 0) return "";
  return drive::Cp932(path);
}

// The window's DPI awareness as the system applied it from the program's
// manifest (or its default), its dots per inch and the common controls.
Fields AskDisplay(HWND window) {
  const std::array<AwarenessKind, 4> kinds = {{
      {DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, "per-monitor-v2"},
      {DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE, "per-monitor"},
      {DPI_AWARENESS_CONTEXT_SYSTEM_AWARE, "system"},
      {DPI_AWARENESS_CONTEXT_UNAWARE, "unaware"},
  }};
  DPI_AWARENESS_CONTEXT context = GetWindowDpiAwarenessContext(window);
  const char* name = "other";
  for (const AwarenessKind& kind : kinds) {
    if (AreDpiAwarenessContextsEqual(context, kind.context)) {
      name = kind.name;
      break;
    }
  }
  return {name, std::to_string(GetDpiForWindow(window)), CommonControlsModule()};
}

// The files of the payload (the reply window's text, the paths separated
// by "|") as the shell drops them on a window: a DROPFILES header followed
// by the wide paths, each ended by a NUL, the list by another; the window
// releases it with DragFinish.
Fields Drop(HWND window, HWND replyTo) {
  std::wstring paths(static_cast<size_t>(GetWindowTextLengthW(replyTo)) + 1, L'\0');
  paths.resize(
      static_cast<size_t>(GetWindowTextW(replyTo, paths.data(), static_cast<int>(paths.size()))));
  if (paths.empty()) return {};
  std::wstring list = paths;
  for (wchar_t& character : list) {
    if (character == L'|') character = L'\0';
  }
  list += std::wstring(2, L'\0');
  size_t count = std::count(list.begin(), list.end(), L'\0') - 1;
  HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
  auto* files = drop ? static_cast<DROPFILES*>(GlobalLock(drop)) : nullptr;
  if (files == nullptr) return {};
  files->pFiles = sizeof(DROPFILES);
  files->pt = {20, 20};
  files->fWide = TRUE;
  std::memcpy(files + 1, list.data(), list.size() * sizeof(wchar_t));
  GlobalUnlock(drop);
  if (!PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0)) {
    GlobalFree(drop);
    return {};
  }
  return {std::to_string(count)};
}

Fields DropWaiting(HWND window) {
  MSG waiting;
  return {PeekMessageW(&waiting, window, WM_DROPFILES, WM_DROPFILES, PM_NOREMOVE) ? "yes" : "no"};
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
    case probe::kQueryPaneFont:
      Reply(replyTo, query, AskPaneFont(target));
      break;
    case probe::kQueryDisplay:
      Reply(replyTo, query, AskDisplay(target));
      break;
    case probe::kQueryDrop:
      Reply(replyTo, query, Drop(target, replyTo));
      break;
    case probe::kQueryDropWaiting:
      Reply(replyTo, query, DropWaiting(target));
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
