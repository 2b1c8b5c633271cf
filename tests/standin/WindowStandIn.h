// The Linux stand-in for the window calls: it keeps windows, classes and
// menu states as plain records, calls registered window procedures the
// way the system would, and lets a test queue the messages the loop gets.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Window.h"

namespace platform::standin {

struct ClassRecord {
  WindowClassRecord fields;
  std::string className;  // a copy: the caller's text need not live on
};

struct WindowRecord {
  uint32_t exStyle = 0;
  std::string className;
  std::string text;  // the window name, then each SetWindowTextA
  uint32_t style = 0;
  int32_t x = 0, y = 0, width = 0, height = 0;
  WindowHandle parent = nullptr;
  uintptr_t menuOrId = 0;
  InstanceHandle instance = nullptr;
  uint16_t menuId = 0;         // the class menu of a top-level window
  int showCommand = -1;        // the last ShowWindow, or -1
  int updates = 0;             // UpdateWindow calls
  int textSets = 0;            // SetWindowTextA calls
  std::optional<int> repaint;  // the last MoveWindow's repaint flag
  bool destroyed = false;
  bool acceptsFiles = false;  // the last DragAcceptFiles
};

struct WindowState {
  std::vector<ClassRecord> classes;
  std::vector<WindowRecord> windows;  // a handle is its index plus one
  std::vector<Message> sent;          // every SendMessageA, in order
  std::vector<Message> defaulted;     // every DefWindowProcA, in order
  std::deque<Message> queue;          // what GetMessageA returns, in order
  std::map<std::pair<MenuHandle, uint32_t>, uint32_t> menuItems;  // EnableMenuItem states
  std::optional<int> quitCode;                                    // the last PostQuitMessage
  WindowHandle focus = nullptr;
  Rect clientRect{0, 0, 640, 400};
  uint32_t dpi = 96;  // what GetWindowDpi answers
  // The names of each drop, its DropHandle the index plus one; a name
  // kAnswerWithoutCp932Form has none.
  std::vector<std::vector<std::string>> drops;
  size_t finishedDrops = 0;  // DragFinish calls
  bool failRegisterClass = false;
  bool failCreateWindow = false;
};

// The one window recorder of this process; ResetWindows() before a test.
WindowState& WindowRecorder();
void ResetWindows();
// The record of a window handle; nullptr for a handle it never gave out.
WindowRecord* FindWindow(WindowHandle window);
// A drop of the names, for WM_DROPFILES.
DropHandle AddDrop(std::vector<std::string> names);

}  // namespace platform::standin
