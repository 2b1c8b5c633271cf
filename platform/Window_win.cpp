#include <windows.h>

#include <cstddef>

#include "platform/Window.h"

namespace platform {

#define QPX_SAME_FIELD(ours, theirs) \
  static_assert(offsetof(Message, ours) == offsetof(MSG, theirs))
static_assert(sizeof(Message) == sizeof(MSG));
QPX_SAME_FIELD(window, hwnd);
QPX_SAME_FIELD(message, message);
QPX_SAME_FIELD(wParam, wParam);
QPX_SAME_FIELD(lParam, lParam);
QPX_SAME_FIELD(time, time);
QPX_SAME_FIELD(x, pt.x);
QPX_SAME_FIELD(y, pt.y);
#undef QPX_SAME_FIELD
static_assert(sizeof(Rect) == sizeof(RECT));

static_assert(kWmCreate == WM_CREATE && kWmDestroy == WM_DESTROY && kWmSize == WM_SIZE &&
              kWmSetFocus == WM_SETFOCUS && kWmClose == WM_CLOSE && kWmQuit == WM_QUIT &&
              kWmSetFont == WM_SETFONT && kWmCommand == WM_COMMAND &&
              kWmSysCommand == WM_SYSCOMMAND && kWmInitMenuPopup == WM_INITMENUPOPUP);
static_assert(kScClose == SC_CLOSE);
static_assert(kWsOverlappedWindow == WS_OVERLAPPEDWINDOW && kWsChild == WS_CHILD &&
              kWsVisible == WS_VISIBLE && kWsVScroll == WS_VSCROLL && kWsHScroll == WS_HSCROLL &&
              kWsTabStop == WS_TABSTOP && kWsExClientEdge == WS_EX_CLIENTEDGE);
static_assert(kEsMultiline == ES_MULTILINE && kEsAutoVScroll == ES_AUTOVSCROLL &&
              kEsAutoHScroll == ES_AUTOHSCROLL && kEsNoHideSel == ES_NOHIDESEL &&
              kEsReadOnly == ES_READONLY && kEsWantReturn == ES_WANTRETURN);
static_assert(kCwUseDefault == CW_USEDEFAULT && kColorBtnFace == COLOR_BTNFACE &&
              kSystemFixedFont == SYSTEM_FIXED_FONT);
static_assert(kMfByCommand == MF_BYCOMMAND && kMfEnabled == MF_ENABLED && kMfGrayed == MF_GRAYED);

namespace {

// A program registers one window class; its procedure is reached through
// this adapter, which has the system's calling convention.
WindowProcedure registeredProcedure = nullptr;

LRESULT CALLBACK ProcedureAdapter(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (registeredProcedure == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);
  return registeredProcedure(window, message, wParam, lParam);
}

}  // namespace

uint16_t RegisterClassExA(const WindowClassRecord& windowClass) {
  WNDCLASSEXA system{};
  system.cbSize = sizeof system;
  system.style = windowClass.style;
  system.lpfnWndProc = ProcedureAdapter;
  system.hInstance = static_cast<HINSTANCE>(windowClass.instance);
  system.hIcon = static_cast<HICON>(windowClass.icon);
  system.hIconSm = static_cast<HICON>(windowClass.smallIcon);
  system.hbrBackground = reinterpret_cast<HBRUSH>(windowClass.background);
  system.lpszMenuName = windowClass.menuId ? MAKEINTRESOURCEA(windowClass.menuId) : nullptr;
  system.lpszClassName = windowClass.className;
  registeredProcedure = windowClass.procedure;
  return ::RegisterClassExA(&system);
}

WindowHandle CreateWindowExA(uint32_t exStyle, const char* className, const char* windowName,
                             uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height,
                             WindowHandle parent, uintptr_t menuOrId, InstanceHandle instance) {
  return ::CreateWindowExA(exStyle, className, windowName, style, x, y, width, height,
                           static_cast<HWND>(parent), reinterpret_cast<HMENU>(menuOrId),
                           static_cast<HINSTANCE>(instance), nullptr);
}

int ShowWindow(WindowHandle window, int showCommand) {
  return ::ShowWindow(static_cast<HWND>(window), showCommand);
}

int UpdateWindow(WindowHandle window) { return ::UpdateWindow(static_cast<HWND>(window)); }

int GetMessageA(Message& message) {
  return ::GetMessageA(reinterpret_cast<MSG*>(&message), nullptr, 0, 0);
}

int TranslateMessage(const Message& message) {
  return ::TranslateMessage(reinterpret_cast<const MSG*>(&message));
}

intptr_t DispatchMessageA(const Message& message) {
  return ::DispatchMessageA(reinterpret_cast<const MSG*>(&message));
}

intptr_t DefWindowProcA(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return ::DefWindowProcA(static_cast<HWND>(window), message, wParam, lParam);
}

void PostQuitMessage(int exitCode) { ::PostQuitMessage(exitCode); }

intptr_t SendMessageA(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return ::SendMessageA(static_cast<HWND>(window), message, wParam, lParam);
}

IconHandle LoadIconA(InstanceHandle instance, uint16_t iconId) {
  return ::LoadIconA(static_cast<HINSTANCE>(instance), MAKEINTRESOURCEA(iconId));
}

int GetClientRect(WindowHandle window, Rect& rect) {
  return ::GetClientRect(static_cast<HWND>(window), reinterpret_cast<RECT*>(&rect));
}

int MoveWindow(WindowHandle window, int32_t x, int32_t y, int32_t width, int32_t height,
               int repaint) {
  return ::MoveWindow(static_cast<HWND>(window), x, y, width, height, repaint);
}

WindowHandle SetFocus(WindowHandle window) { return ::SetFocus(static_cast<HWND>(window)); }

int SetWindowTextA(WindowHandle window, const std::string& text) {
  return ::SetWindowTextA(static_cast<HWND>(window), text.c_str());
}

GdiObject GetStockObject(int object) { return ::GetStockObject(object); }

MenuHandle GetMenu(WindowHandle window) { return ::GetMenu(static_cast<HWND>(window)); }

MenuHandle GetSubMenu(MenuHandle menu, int position) {
  return ::GetSubMenu(static_cast<HMENU>(menu), position);
}

int EnableMenuItem(MenuHandle menu, uint32_t itemId, uint32_t enable) {
  return ::EnableMenuItem(static_cast<HMENU>(menu), itemId, enable);
}

}  // namespace platform
