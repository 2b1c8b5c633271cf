// PaneAlone LISTING [REPEATS]: how long an EDIT control made like qpxdiff's
// pane takes to receive a text on its own. It builds the same window (an
// overlapped window of the system's default size with a one-line menu bar,
// the pane filling its client area: class "EDIT", WS_EX_CLIENTEDGE, styles
// 0x503119C4, SYSTEM_FIXED_FONT) and, REPEATS times (default 5), replaces a
// short text with the file's bytes, timing SetWindowTextA until the control
// reports the full length, then the painting of it. Prints "pane W H", one
// "set MS painted MS" line per repeat, and "same yes/no" (the control gives
// the file's bytes back).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr char kClassName[] = "QpxPaneAlone";
constexpr DWORD kPaneStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
                             ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL |
                             ES_READONLY | ES_WANTRETURN;
static_assert(kPaneStyle == 0x503119C4);
constexpr UINT_PTR kPaneId = 100;
constexpr char kShortText[] = "-";

HWND pane = nullptr;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      MoveWindow(pane, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

// A menu bar of one pop-up, as high as qpxdiff's.
HMENU MenuBar() {
  HMENU popup = CreatePopupMenu();
  AppendMenuA(popup, MF_STRING, 1, "Open");
  HMENU bar = CreateMenu();
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "File");
  return bar;
}

HWND MakeWindow(HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (RegisterClassExA(&windowClass) == 0) return nullptr;
  HWND main =
      CreateWindowExA(0, kClassName, kClassName, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, MenuBar(), instance, nullptr);
  if (main == nullptr) return nullptr;
  RECT client{};
  GetClientRect(main, &client);
  pane = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", kShortText, kPaneStyle, 0, 0, client.right,
                         client.bottom, main, reinterpret_cast<HMENU>(kPaneId), instance, nullptr);
  if (pane == nullptr) return nullptr;
  SendMessageA(pane, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(SYSTEM_FIXED_FONT)), 1);
  ShowWindow(main, SW_SHOWNORMAL);
  UpdateWindow(main);
  return main;
}

// Handles whatever is waiting, as the program's message loop would.
void Drain() {
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

double Ms(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
         static_cast<double>(frequency.QuadPart);
}

// One replacement of the short text by `text`; false when the control does
// not report the full length.
bool TimeOnce(const std::string& text, LARGE_INTEGER frequency) {
  SetWindowTextA(pane, kShortText);
  UpdateWindow(pane);
  Drain();
  LARGE_INTEGER start{}, listed{}, painted{};
  QueryPerformanceCounter(&start);
  SetWindowTextA(pane, text.c_str());
  auto length = static_cast<size_t>(SendMessageA(pane, WM_GETTEXTLENGTH, 0, 0));
  QueryPerformanceCounter(&listed);
  UpdateWindow(pane);
  QueryPerformanceCounter(&painted);
  Drain();
  std::printf("set %.3f painted %.3f\n", Ms(start, listed, frequency),
              Ms(listed, painted, frequency));
  return length == text.size();
}

bool SameText(const std::string& text) {
  std::string back(text.size() + 1, '\0');
  int copied = GetWindowTextA(pane, back.data(), static_cast<int>(back.size()));
  back.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return back == text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: PaneAlone LISTING [REPEATS]\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
  if (!in || repeats < 1) {
    std::fprintf(stderr, "PaneAlone: cannot read %s\n", argv[1]);
    return 2;
  }
  HWND main = MakeWindow(GetModuleHandleA(nullptr));
  if (main == nullptr) return 1;
  Drain();
  RECT client{};
  GetClientRect(pane, &client);
  std::printf("pane %ld %ld\n", client.right, client.bottom);
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  bool complete = true;
  for (int at = 0; at < repeats; ++at) complete = TimeOnce(text, frequency) && complete;
  std::printf("same %s\n", complete && SameText(text) ? "yes" : "no");
  std::fflush(stdout);
  DestroyWindow(main);
  return complete ? 0 : 1;
}
