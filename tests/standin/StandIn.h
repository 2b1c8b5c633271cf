// The Linux stand-in for the Windows calls: it records what the code asked
// for and answers from a script that a test sets up beforehand.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/Types.h"

namespace platform::standin {

struct MessageBoxRecord {
  WindowHandle owner;
  std::string text;
  std::string caption;
  unsigned flags;  // a scrolling question box's: those of a message box with Yes and No
  bool scrolls;    // the question box that scrolls
};

struct DialogRecord {
  bool save;  // ShowSaveFileDialog rather than ShowOpenFileDialog
  uint32_t structSize;
  WindowHandle owner;
  std::optional<std::string> title;
  std::optional<std::string> initialDir;
  std::optional<std::string> defaultExtension;
  // The filter list's bytes up to and including its closing empty entry
  // (the two NUL bytes at its end), or nothing when none is set.
  std::optional<std::string> filter;
  std::string fileName;  // the file-name buffer's text when shown
  uint32_t maxFile;
  uint32_t filterIndex;
  uint32_t flags;
};

struct RegistryWrite {
  RegistryKey root;
  std::string subkey;
  uint32_t options;
  uint32_t access;
  std::string valueName;
  uint32_t type;
  std::string data;  // the bytes passed, exactly `size` of them
};

// A dialog answer that stands for a file whose name has no CP932 form:
// the dialog answers 0, and CommDlgExtendedError kFnErrInvalidFileName.
inline const std::string kAnswerWithoutCp932Form{"\0no CP932 form", 14};

struct State {
  std::vector<MessageBoxRecord> messageBoxes;
  std::vector<DialogRecord> dialogs;
  std::vector<RegistryWrite> registryWrites;
  int openKeys = 0;          // keys created and not yet closed
  uint32_t dialogError = 0;  // what CommDlgExtendedError answers

  // Answers, taken in order. A dialog answer of nothing cancels; when the
  // queue is empty a dialog cancels and a message box answers IDOK.
  std::deque<std::optional<std::string>> dialogAnswers;
  std::deque<int> messageBoxAnswers;
  std::optional<std::string> currentDirectory = std::string("/stand-in/current");
  long failRegCreate = 0;  // nonzero: RegCreateKeyExA returns it
  long failRegSet = 0;     // nonzero: RegSetValueExA returns it
};

// The one recorder of this process; Reset() before each test.
State& Recorder();
void Reset();

}  // namespace platform::standin
