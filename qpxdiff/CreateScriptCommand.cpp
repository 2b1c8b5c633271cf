#include <new>
#include <string>

#include "compare/DiffMessages.h"
#include "compare/ScriptFile.h"
#include "dialogs/FileDialog.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "qpxdiff/DiffCommands.h"

namespace {

constexpr char kSaveTitle[] = "スクリプトに名前をつけて保存";
// The system adds the period itself.
constexpr char kDefaultExtension[] = "qpx";

Direction AskDirection(platform::WindowHandle mainWindow, const CComparison& comparison) {
  int answer = platform::MessageBoxA(
      mainWindow, DirectionQuestion(comparison.FirstPath(), comparison.SecondPath()),
      std::string(kConfirmCaption), platform::kMbYesNo | platform::kMbIconQuestion);
  return answer == platform::kIdYes ? Direction::kForward : Direction::kReverse;
}

// Asks for the script's name in the Save dialog, proposed beside the source
// file; false when the user cancels. A name without a CP932 form leaves the
// path empty, which names no file: it cannot be created.
bool AskScriptPath(const std::string& sourcePath, std::string& path) {
  CSaveFileDialog dialog(nullptr);
  dialog.SetTitle(kSaveTitle);
  dialog.SetDefaultExtension(kDefaultExtension);
  dialog.SetFilter(kScriptFilter);
  ScriptLocation proposed = SuggestScriptLocation(sourcePath);
  if (!proposed.folder.empty()) dialog.SetInitialDir(proposed.folder.c_str());
  dialog.SetFileName(proposed.name);
  return dialog.Choose(path) != FileChoice::kCancelled;
}

DiffMessage Report(ScriptWriteResult result) {
  switch (result) {
    case ScriptWriteResult::kWritten:
      return DiffMessage::kCreated;
    case ScriptWriteResult::kCannotCreate:
      return DiffMessage::kCannotCreate;
    case ScriptWriteResult::kCannotSave:
      break;
  }
  return DiffMessage::kCannotSave;
}

}  // namespace

int RunCreateScriptCommand(platform::WindowHandle mainWindow, const CComparison& comparison) {
  Direction direction = AskDirection(mainWindow, comparison);
  const std::string& source =
      ScriptSourcePath(comparison.FirstPath(), comparison.SecondPath(), direction);
  std::string scriptPath;
  if (!AskScriptPath(source, scriptPath)) return 0;
  // A script written over one of the compared files would destroy it.
  if (scriptPath.empty() || platform::IsSameFile(scriptPath, comparison.FirstPath()) ||
      platform::IsSameFile(scriptPath, comparison.SecondPath())) {
    ShowMessage(mainWindow, DiffMessage::kCannotCreate);
    return 0;
  }
  try {
    ShowMessage(mainWindow,
                Report(StreamScriptFile(scriptPath, source, comparison.Differences(), direction)));
  } catch (const std::bad_alloc&) {
    ShowMessage(mainWindow, DiffMessage::kOutOfMemory);
  }
  return 0;
}
