#include "qpxrun/RunnerEntry.h"

#include <algorithm>
#include <exception>

#include "platform/MessageBox.h"
#include "platform/Process.h"
#include "dialogs/FileDialog.h"
#include "interpreter/Outcome.h"
#include "interpreter/StatementTables.h"
#include "language/ParseScript.h"
#include "language/ParseScriptException.h"

namespace {

constexpr char kScriptFilter[] = "Quopraファイル (*.qpx)\0*.qpx\0";
constexpr char kScriptDialogTitle[] = "Quopraファイルを開く";

void Show(const OutcomeMessage& message) {
  platform::MessageBoxA(nullptr, std::string(message.text), std::string(message.caption),
                        message.flags);
}

// Asks for a script in the Open dialog. A chosen file whose name has no
// CP932 form cannot be used.
FileChoice AskForScript(std::string& path) {
  COpenFileDialog dialog(nullptr);
  char folder[kFileNameBufferSize + 1] = {};
  if (platform::GetCurrentDirectoryA(sizeof folder, folder) != 0) dialog.SetInitialDir(folder);
  dialog.SetFilter(kScriptFilter);
  dialog.SetTitle(kScriptDialogTitle);
  return dialog.Choose(path);
}

// Runs the loaded script and turns every way it can fail into one message.
// Nothing is saved on any of these paths: the image dies with the run.
void RunAndReport(CScriptFile& script) {
  try {
    script.Run();
  } catch (const CParseScriptException& failure) {
    Show(ReasonMessage(failure.GetReason()));
  } catch (...) {
    Show(ReasonMessage(-1));  // anything unforeseen still ends with a message
  }
}

int LoadAndRun(const std::string& path) {
  CScriptFile script(QuopraStatements());
  bool loaded = false;
  try {
    loaded = script.Load(path) != 0;
  } catch (...) {
    loaded = false;  // no memory for the script's units
  }
  if (!loaded) {
    Show(LoadFailedMessage());
    return 0;
  }
  RunAndReport(script);
  return 0;
}

}  // namespace

std::string ScriptPathFromCommandLine(const std::string& commandTail) {
  std::string path = commandTail;
  path.erase(std::remove(path.begin(), path.end(), '"'), path.end());
  return path;
}

int RunRunner(const std::string& commandTail) {
  if (!commandTail.empty()) return LoadAndRun(ScriptPathFromCommandLine(commandTail));
  std::string path;
  switch (AskForScript(path)) {
    case FileChoice::kChosen:
      return LoadAndRun(path);
    case FileChoice::kCancelled:
      return 0;
    case FileChoice::kRefused:
      break;
  }
  Show(LoadFailedMessage());
  return 0;
}

int RunRunner(const platform::CommandArgument& commandTail) {
  if (commandTail.hasCp932Form) return RunRunner(commandTail.text);
  std::string name;
  if (!platform::EnterFolderOf(commandTail, name)) {
    Show(LoadFailedMessage());
    return 0;
  }
  return LoadAndRun(name);
}
