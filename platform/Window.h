// The window calls of user32 and gdi32 that a program with one main
// window, a menu and a child pane makes.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Types.h"

namespace platform {

using MenuHandle = void*;
using IconHandle = void*;
using GdiObject = void*;
using DropHandle = void*;  // HDROP: the files of one drop

// A window procedure: window, message, first and second parameter. The
// Windows side calls it through an adapter with the system's calling
// convention, so the procedure itself stays plain C++.
using WindowProcedure = intptr_t (*)(WindowHandle window, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam);

// The fields of WNDCLASSEXA that the programs set; the rest are zero.
struct WindowClassRecord {
  uint32_t style;
  WindowProcedure procedure;
  InstanceHandle instance;
  IconHandle icon;
  IconHandle smallIcon;
  uintptr_t background;  // a brush, or a system colour index plus one
  uint16_t menuId;       // a menu resource, or 0 for none
  const char* className;
};

struct Rect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

// MSG in the system's layout; the Windows side checks every offset.
struct Message {
  WindowHandle window;
  uint32_t message;
  uintptr_t wParam;
  intptr_t lParam;
  uint32_t time;
  int32_t x;
  int32_t y;
};

constexpr uint32_t kWmCreate = 0x0001;
constexpr uint32_t kWmDestroy = 0x0002;
constexpr uint32_t kWmSize = 0x0005;
constexpr uint32_t kWmSetFocus = 0x0007;
constexpr uint32_t kWmClose = 0x0010;
constexpr uint32_t kWmQuit = 0x0012;
constexpr uint32_t kWmSetFont = 0x0030;
constexpr uint32_t kWmCommand = 0x0111;
constexpr uint32_t kWmSysCommand = 0x0112;
constexpr uint32_t kWmInitMenuPopup = 0x0117;
constexpr uint32_t kWmDropFiles = 0x0233;  // wParam: the DropHandle
constexpr uint32_t kWmDpiChanged = 0x02E0;

constexpr uintptr_t kScClose = 0xF060;

constexpr uint32_t kWsOverlappedWindow = 0x00CF0000;
constexpr uint32_t kWsChild = 0x40000000;
constexpr uint32_t kWsVisible = 0x10000000;
constexpr uint32_t kWsVScroll = 0x00200000;
constexpr uint32_t kWsHScroll = 0x00100000;
constexpr uint32_t kWsTabStop = 0x00010000;
constexpr uint32_t kWsExClientEdge = 0x00000200;

constexpr uint32_t kEsMultiline = 0x0004;
constexpr uint32_t kEsAutoVScroll = 0x0040;
constexpr uint32_t kEsAutoHScroll = 0x0080;
constexpr uint32_t kEsNoHideSel = 0x0100;
constexpr uint32_t kEsReadOnly = 0x0800;
constexpr uint32_t kEsWantReturn = 0x1000;

constexpr int32_t kCwUseDefault = INT32_MIN;  // (int)0x80000000

constexpr uintptr_t kColorBtnFace = 15;
constexpr int kSystemFixedFont = 16;

constexpr uint32_t kMfByCommand = 0x0000;
constexpr uint32_t kMfEnabled = 0x0000;
constexpr uint32_t kMfGrayed = 0x0001;

// 0 when the class cannot be registered, else its atom.
uint16_t RegisterClassExA(const WindowClassRecord& windowClass);
// menuOrId: the menu of a top-level window (0: the class menu), or the
// identifier of a child. Sends WM_CREATE before it returns; null on failure.
WindowHandle CreateWindowExA(uint32_t exStyle, const char* className, const char* windowName,
                             uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height,
                             WindowHandle parent, uintptr_t menuOrId, InstanceHandle instance);
int ShowWindow(WindowHandle window, int showCommand);
int UpdateWindow(WindowHandle window);
// 1 for a message, 0 for WM_QUIT, -1 on failure.
int GetMessageA(Message& message);
int TranslateMessage(const Message& message);
intptr_t DispatchMessageA(const Message& message);
intptr_t DefWindowProcA(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
void PostQuitMessage(int exitCode);
intptr_t SendMessageA(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// An icon of the program's own resources, by identifier.
IconHandle LoadIconA(InstanceHandle instance, uint16_t iconId);
int GetClientRect(WindowHandle window, Rect& rect);
int MoveWindow(WindowHandle window, int32_t x, int32_t y, int32_t width, int32_t height,
               int repaint);
WindowHandle SetFocus(WindowHandle window);
int SetWindowTextA(WindowHandle window, const std::string& text);
GdiObject GetStockObject(int object);
// The font of a text pane at `dpi` dots per inch. At the system's DPI: the
// stock SYSTEM_FIXED_FONT where the system's code page is 932, elsewhere
// the fixed-pitch face ChooseFixedFace takes among those installed (MS
// Gothic where present), or the stock font where none passes; at another
// DPI (a monitor of its own scale) that font scaled. Made on first use
// and kept until the program ends.
GdiObject GetFixedFont(uint32_t dpi);
// The dots per inch a window is shown at: its monitor's where the system
// scales per monitor (Windows 10 and later), else the system's.
uint32_t GetWindowDpi(WindowHandle window);

// Files dropped on the window reach it as WM_DROPFILES from now on.
void DragAcceptFiles(WindowHandle window, int accept);
constexpr uint32_t kDragQueryCount = 0xFFFFFFFF;
// With kDragQueryCount: the number of files dropped. Else the name of the
// index-th file, taken through the wide call, in CP932 into `name`, and its
// length; 0 with `name` empty where the name has no CP932 form (so that it
// names no file) or there is no such file.
uint32_t QueryDroppedFile(DropHandle drop, uint32_t index, std::string& name);
// Releases what the system holds for the drop.
void DragFinish(DropHandle drop);

MenuHandle GetMenu(WindowHandle window);
MenuHandle GetSubMenu(MenuHandle menu, int position);
// The previous state of the item, or -1 when it does not exist.
int EnableMenuItem(MenuHandle menu, uint32_t itemId, uint32_t enable);

}  // namespace platform
