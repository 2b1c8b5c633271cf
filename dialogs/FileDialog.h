// The system's Open and Save dialogs, each with its own file-name buffer.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Dialogs.h"

constexpr uint32_t kFileNameBufferSize = 260;

// The file types of a dialog that asks for a script.
constexpr char kScriptFilter[] = "Quopraファイル (*.qpx)\0*.qpx\0";

// What came of asking for a file.
enum class FileChoice {
  kChosen,     // the chosen path is given
  kCancelled,  // the user cancelled, or the dialog could not be shown
  kRefused,    // the chosen file's name has no CP932 form: it cannot be used
};

// What both dialogs share: the open-file-name record followed by the
// object's own file-name buffer.
class CFileDialogBase {
 public:
  CFileDialogBase(const CFileDialogBase&) = delete;
  CFileDialogBase& operator=(const CFileDialogBase&) = delete;

  // The setters that take a pointer keep the caller's text, which must
  // stay alive until the dialog has been shown.
  void SetFilter(const char* filter) { record_.filter = filter; }
  void SetTitle(const char* title) { record_.title = title; }
  void SetInitialDir(const char* folder) { record_.initialDir = folder; }
  // Copies a name into the buffer; false (buffer unchanged) for a name of
  // 260 bytes or more, which would not fit with its terminating NUL.
  bool SetFileName(const std::string& name);
  // Copies the chosen name into destination (at least 260 bytes) and
  // returns its length.
  uint32_t GetFileName(char* destination) const;

 protected:
  CFileDialogBase(platform::WindowHandle owner, uint32_t flags);
  ~CFileDialogBase() = default;

  // Shows the dialog through the given call and notes a refused name.
  bool ShowWith(int (*show)(platform::OpenFileNameRecord&));
  // What a Show that answered shown means, with the chosen path.
  FileChoice ChoiceAfter(bool shown, std::string& path) const;

  platform::OpenFileNameRecord record_;
  char fileName_[kFileNameBufferSize];
  bool refused_ = false;
};

// Accepts only an existing file.
class COpenFileDialog : public CFileDialogBase {
 public:
  explicit COpenFileDialog(platform::WindowHandle owner);
  // True when the user chose a file; false when cancelled.
  bool Show();
  // Shows the dialog and gives the chosen path with kChosen.
  FileChoice Choose(std::string& path) { return ChoiceAfter(Show(), path); }
};

// Asks before replacing an existing file.
class CSaveFileDialog : public CFileDialogBase {
 public:
  explicit CSaveFileDialog(platform::WindowHandle owner);
  // The extension the system appends to a name typed without one, given
  // without its period.
  void SetDefaultExtension(const char* extension) { record_.defaultExtension = extension; }
  bool Show();
  FileChoice Choose(std::string& path) { return ChoiceAfter(Show(), path); }
};
