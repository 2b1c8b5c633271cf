// The question box that scrolls: a dialog made from a template built in
// memory, so that no program needs a resource for it.
#include <windows.h>

#include <vector>

#include "platform/Cp932_win.h"
#include "platform/MessageBox.h"

namespace platform {

namespace {

constexpr WORD kTextId = 100;
constexpr WORD kIconId = 101;
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

// Where an item goes, in dialog units.
struct Place {
  short x, y, width, height;
};

// A dialog template: its header, then its items, each DWORD-aligned.
class CTemplate {
 public:
  CTemplate(const std::wstring& caption, WORD items) {
    Add<DWORD>(DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    Add<DWORD>(0);  // extended style
    Add<WORD>(items);
    for (short value : {0, 0, 320, 200}) Add<short>(value);
    Add<WORD>(0);  // no menu
    Add<WORD>(0);  // the dialog class
    AddText(caption);
    Add<WORD>(9);
    AddText(L"MS Shell Dlg");
  }

  void AddItem(DWORD style, Place place, WORD id, WORD windowClass, const std::wstring& text) {
    while (words_.size() % 2 != 0) words_.push_back(0);
    Add<DWORD>(style | WS_CHILD | WS_VISIBLE);
    Add<DWORD>(0);
    for (short value : {place.x, place.y, place.width, place.height}) Add<short>(value);
    Add<WORD>(id);
    Add<WORD>(0xFFFF);
    Add<WORD>(windowClass);
    AddText(text);
    Add<WORD>(0);  // no creation data
  }

  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  template <typename T>
  void Add(T value) {
    static_assert(sizeof(T) % sizeof(WORD) == 0);
    const auto* parts = reinterpret_cast<const WORD*>(&value);
    words_.insert(words_.end(), parts, parts + sizeof(T) / sizeof(WORD));
  }
  void AddText(const std::wstring& text) {
    words_.insert(words_.end(), text.begin(), text.end());
    words_.push_back(0);
  }

  std::vector<WORD> words_;
};

// Line ends as the edit control shows them.
std::wstring WithCrLf(const std::wstring& text) {
  std::wstring shown;
  for (wchar_t c : text) {
    if (c == L'\n') shown += L'\r';
    shown += c;
  }
  return shown;
}

INT_PTR OnInitDialog(HWND dialog, LPARAM text) {
  SendDlgItemMessageW(dialog, kTextId, EM_SETLIMITTEXT, 0, 0);
  SetDlgItemTextW(dialog, kTextId, reinterpret_cast<const wchar_t*>(text));
  SendDlgItemMessageW(dialog, kIconId, STM_SETICON,
                      reinterpret_cast<WPARAM>(LoadIconA(nullptr, IDI_EXCLAMATION)), 0);
  SetFocus(GetDlgItem(dialog, IDNO));
  return FALSE;  // the focus is set
}

INT_PTR CALLBACK QuestionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
      if (LOWORD(wParam) == IDYES || LOWORD(wParam) == IDNO || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam) == IDYES ? IDYES : IDNO);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

int ScrollingQuestionBoxA(WindowHandle owner, const std::string& text, const std::string& caption) {
  CTemplate dialog(win::ToWideText(caption), 4);
  dialog.AddItem(SS_ICON, {7, 7, 21, 20}, kIconId, kStaticClass, L"");
  dialog.AddItem(ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
                 {35, 7, 278, 164}, kTextId, kEditClass, L"");
  dialog.AddItem(BS_PUSHBUTTON | WS_TABSTOP, {205, 178, 50, 14}, IDYES, kButtonClass,
                 win::ToWideText("はい(&Y)"));
  dialog.AddItem(BS_DEFPUSHBUTTON | WS_TABSTOP, {263, 178, 50, 14}, IDNO, kButtonClass,
                 win::ToWideText("いいえ(&N)"));
  const std::wstring shown = WithCrLf(win::ToWideText(text));
  INT_PTR answer =
      DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), static_cast<HWND>(owner),
                              QuestionProc, reinterpret_cast<LPARAM>(shown.c_str()));
  return answer == IDYES ? kIdYes : kIdNo;
}

}  // namespace platform
