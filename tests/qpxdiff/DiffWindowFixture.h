// The difference-script maker's window, made through the platform
// stand-in, with helpers that drive it as a user would.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/MessageBox.h"
#include "platform/Window.h"
#include "qpxdiff/MainWindow.h"
#include "qpxdiff/resource.h"
#include "tests/standin/StandIn.h"
#include "tests/standin/WindowStandIn.h"
#include "tests/support/TestFiles.h"

namespace diff_window_test {

namespace standin = platform::standin;

inline const auto kInstance = reinterpret_cast<platform::InstanceHandle>(0x400000);
constexpr char kAllFilesFilter[] = "すべてのファイル (*.*)\0*.*\0";
constexpr char kScriptFilter[] = "Quopraファイル (*.qpx)\0*.qpx\0";
constexpr uint32_t kOpenFlags = 0x201004;
constexpr uint32_t kSaveFlags = 0x200006;
constexpr unsigned kErrorFlags = platform::kMbOk | platform::kMbIconError;

class DiffWindow : public testing::Test {
 protected:
  void SetUp() override {
    standin::Reset();
    standin::ResetWindows();
    ASSERT_TRUE(maker.CreateMainWindow(5));
  }

  // The windows the stand-in made: the main window, and its EDIT pane.
  static platform::WindowHandle WindowOfClass(const std::string& className) {
    const auto& windows = standin::WindowRecorder().windows;
    for (size_t at = 0; at < windows.size(); ++at) {
      if (windows[at].className == className) {
        return reinterpret_cast<platform::WindowHandle>(at + 1);
      }
    }
    return nullptr;
  }
  static platform::WindowHandle MainWindow() { return WindowOfClass(kMainWindowClass); }
  static platform::WindowHandle Pane() { return WindowOfClass("EDIT"); }

  intptr_t Send(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
    return platform::SendMessageA(MainWindow(), message, wParam, lParam);
  }
  void Command(uint32_t command) { Send(platform::kWmCommand, command); }

  platform::MenuHandle FilePopup() {
    return platform::GetSubMenu(platform::GetMenu(MainWindow()), 0);
  }
  // Opens the File pop-up; the state Create script was given, if any.
  std::optional<uint32_t> CreateScriptStateOnOpening() {
    standin::WindowRecorder().menuItems.clear();
    Send(platform::kWmInitMenuPopup, reinterpret_cast<uintptr_t>(FilePopup()), 0);
    auto& items = standin::WindowRecorder().menuItems;
    auto found = items.find({FilePopup(), IDM_FILE_CREATE_SCRIPT});
    if (found == items.end()) return std::nullopt;
    return found->second;
  }

  // Runs Open choosing the two files (nothing: cancel that dialog).
  void Open(std::optional<std::string> first, std::optional<std::string> second) {
    auto& answers = standin::Recorder().dialogAnswers;
    answers.push_back(first);
    if (first) answers.push_back(second);
    Command(IDM_FILE_OPEN);
    answers.clear();  // an answer a failed load left unused
  }

  // Drops the files on the main window.
  void Drop(const std::vector<std::string>& paths) {
    Send(platform::kWmDropFiles, reinterpret_cast<uintptr_t>(standin::AddDrop(paths)));
  }

  std::string PaneText() { return standin::FindWindow(Pane())->text; }
  const standin::MessageBoxRecord& LastMessageBox() {
    return standin::Recorder().messageBoxes.back();
  }

  TempFolder folder;
  CDiffMaker maker{kInstance};
};

}  // namespace diff_window_test
