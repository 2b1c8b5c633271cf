#include "tests/standin/WindowStandIn.h"

#include "tests/standin/StandIn.h"

namespace platform {

namespace standin {

WindowState& WindowRecorder() {
  static WindowState state;
  return state;
}

void ResetWindows() { WindowRecorder() = WindowState(); }

WindowRecord* FindWindow(WindowHandle window) {
  auto index = reinterpret_cast<uintptr_t>(window);
  auto& windows = WindowRecorder().windows;
  if (index == 0 || index > windows.size()) return nullptr;
  return &windows[index - 1];
}

DropHandle AddDrop(std::vector<std::string> names) {
  auto& drops = WindowRecorder().drops;
  drops.push_back(std::move(names));
  return reinterpret_cast<DropHandle>(drops.size());
}

}  // namespace standin

namespace {

using standin::WindowRecorder;

// The system classes a program may create windows of without registering.
constexpr const char* kSystemClasses[] = {"EDIT"};

const standin::ClassRecord* FindClass(const std::string& name) {
  for (const auto& registered : WindowRecorder().classes) {
    if (registered.className == name) return &registered;
  }
  return nullptr;
}

bool IsSystemClass(const std::string& name) {
  for (const char* system : kSystemClasses) {
    if (name == system) return true;
  }
  return false;
}

WindowProcedure ProcedureOf(WindowHandle window) {
  const standin::WindowRecord* record = standin::FindWindow(window);
  if (record == nullptr || record->destroyed) return nullptr;
  const standin::ClassRecord* windowClass = FindClass(record->className);
  return windowClass ? windowClass->fields.procedure : nullptr;
}

intptr_t Deliver(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  WindowProcedure procedure = ProcedureOf(window);
  return procedure ? procedure(window, message, wParam, lParam) : 0;
}

// Children first, then the window itself receives WM_DESTROY.
void Destroy(WindowHandle window) {
  auto& windows = WindowRecorder().windows;
  for (size_t at = 0; at < windows.size(); ++at) {
    if (windows[at].parent == window && !windows[at].destroyed) {
      Destroy(reinterpret_cast<WindowHandle>(at + 1));
    }
  }
  Deliver(window, kWmDestroy, 0, 0);
  if (auto* record = standin::FindWindow(window)) record->destroyed = true;
}

}  // namespace

uint16_t RegisterClassExA(const WindowClassRecord& windowClass) {
  auto& state = WindowRecorder();
  if (state.failRegisterClass || windowClass.className == nullptr ||
      FindClass(windowClass.className) != nullptr) {
    return 0;
  }
  state.classes.push_back({windowClass, windowClass.className});
  state.classes.back().fields.className = nullptr;
  return static_cast<uint16_t>(0xC000 + state.classes.size());
}

WindowHandle CreateWindowExA(uint32_t exStyle, const char* className, const char* windowName,
                             uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height,
                             WindowHandle parent, uintptr_t menuOrId, InstanceHandle instance) {
  auto& state = WindowRecorder();
  if (state.failCreateWindow || className == nullptr) return nullptr;
  const standin::ClassRecord* windowClass = FindClass(className);
  if (windowClass == nullptr && !IsSystemClass(className)) return nullptr;
  standin::WindowRecord record;
  record.exStyle = exStyle;
  record.className = className;
  record.text = windowName ? windowName : "";
  record.style = style;
  record.x = x, record.y = y, record.width = width, record.height = height;
  record.parent = parent;
  record.menuOrId = menuOrId;
  record.instance = instance;
  if (windowClass != nullptr && parent == nullptr) record.menuId = windowClass->fields.menuId;
  state.windows.push_back(record);
  auto window = reinterpret_cast<WindowHandle>(state.windows.size());
  if (Deliver(window, kWmCreate, 0, 0) == -1) {
    Destroy(window);
    return nullptr;
  }
  return window;
}

int ShowWindow(WindowHandle window, int showCommand) {
  auto* record = standin::FindWindow(window);
  if (record == nullptr) return 0;
  bool wasShown = record->showCommand > 0;
  record->showCommand = showCommand;
  return wasShown ? 1 : 0;
}

int UpdateWindow(WindowHandle window) {
  auto* record = standin::FindWindow(window);
  if (record == nullptr) return 0;
  ++record->updates;
  return 1;
}

int GetMessageA(Message& message) {
  auto& queue = WindowRecorder().queue;
  if (queue.empty()) return -1;
  message = queue.front();
  queue.pop_front();
  return message.message == kWmQuit ? 0 : 1;
}

int TranslateMessage(const Message&) { return 0; }

intptr_t DispatchMessageA(const Message& message) {
  return Deliver(message.window, message.message, message.wParam, message.lParam);
}

// Closing works as the system's default processing does: SC_CLOSE becomes
// WM_CLOSE, and WM_CLOSE destroys the window.
intptr_t DefWindowProcA(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  WindowRecorder().defaulted.push_back({window, message, wParam, lParam, 0, 0, 0});
  if (message == kWmSysCommand && (wParam & 0xFFF0) == kScClose) {
    return SendMessageA(window, kWmClose, 0, 0);
  }
  if (message == kWmClose) Destroy(window);
  return 0;
}

void PostQuitMessage(int exitCode) {
  auto& state = WindowRecorder();
  state.quitCode = exitCode;
  state.queue.push_back({nullptr, kWmQuit, static_cast<uintptr_t>(exitCode), 0, 0, 0, 0});
}

intptr_t SendMessageA(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  WindowRecorder().sent.push_back({window, message, wParam, lParam, 0, 0, 0});
  return Deliver(window, message, wParam, lParam);
}

IconHandle LoadIconA(InstanceHandle, uint16_t iconId) {
  return reinterpret_cast<IconHandle>(uintptr_t{0x30000} + iconId);
}

int GetClientRect(WindowHandle window, Rect& rect) {
  if (standin::FindWindow(window) == nullptr) return 0;
  rect = WindowRecorder().clientRect;
  return 1;
}

int MoveWindow(WindowHandle window, int32_t x, int32_t y, int32_t width, int32_t height,
               int repaint) {
  auto* record = standin::FindWindow(window);
  if (record == nullptr) return 0;
  record->x = x, record->y = y, record->width = width, record->height = height;
  record->repaint = repaint;
  return 1;
}

WindowHandle SetFocus(WindowHandle window) {
  auto& state = WindowRecorder();
  WindowHandle previous = state.focus;
  state.focus = window;
  return previous;
}

int SetWindowTextA(WindowHandle window, const std::string& text) {
  auto* record = standin::FindWindow(window);
  if (record == nullptr) return 0;
  record->text = text;
  ++record->textSets;
  return 1;
}

GdiObject GetStockObject(int object) {
  return reinterpret_cast<GdiObject>(uintptr_t{0x40000} + static_cast<uintptr_t>(object));
}

// The stock font at the stand-in's system DPI, 96; a made-up font per
// other DPI.
GdiObject GetFixedFont(uint32_t dpi) {
  if (dpi == 96) return GetStockObject(kSystemFixedFont);
  return reinterpret_cast<GdiObject>(uintptr_t{0x50000} + dpi);
}

uint32_t GetWindowDpi(WindowHandle) { return WindowRecorder().dpi; }

void DragAcceptFiles(WindowHandle window, int accept) {
  if (auto* record = standin::FindWindow(window)) record->acceptsFiles = accept != 0;
}

uint32_t QueryDroppedFile(DropHandle drop, uint32_t index, std::string& name) {
  name.clear();
  auto& drops = WindowRecorder().drops;
  auto at = reinterpret_cast<uintptr_t>(drop);
  if (at == 0 || at > drops.size()) return 0;
  const std::vector<std::string>& names = drops[at - 1];
  if (index == kDragQueryCount) return static_cast<uint32_t>(names.size());
  if (index >= names.size() || names[index] == standin::kAnswerWithoutCp932Form) return 0;
  name = names[index];
  return static_cast<uint32_t>(name.size());
}

void DragFinish(DropHandle) { ++WindowRecorder().finishedDrops; }

// A menu handle encodes the menu resource; a pop-up adds its position + 1.
MenuHandle GetMenu(WindowHandle window) {
  auto* record = standin::FindWindow(window);
  if (record == nullptr || record->menuId == 0) return nullptr;
  return reinterpret_cast<MenuHandle>(uintptr_t{0x20000} + uintptr_t{record->menuId} * 0x100);
}

MenuHandle GetSubMenu(MenuHandle menu, int position) {
  if (menu == nullptr || position < 0) return nullptr;
  return static_cast<char*>(menu) + position + 1;
}

int EnableMenuItem(MenuHandle menu, uint32_t itemId, uint32_t enable) {
  auto& items = WindowRecorder().menuItems;
  auto key = std::make_pair(menu, itemId);
  auto found = items.find(key);
  int previous =
      found == items.end() ? static_cast<int>(kMfEnabled) : static_cast<int>(found->second);
  items[key] = enable;
  return previous;
}

}  // namespace platform
