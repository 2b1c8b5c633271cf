#include "qpxrun/RunnerEntry.h"

#include <algorithm>

#include "dialogs/FileDialog.h"
#include "dialogs/Message.h"
#include "interpreter/Outcome.h"
#include "interpreter/ScriptRun.h"
#include "interpreter/StatementTables.h"
#include "language/ParseScript.h"
#include "platform/OriginMark.h"
#include "platform/Process.h"
#include "qpxrun/DownloadedScript.h"
#include "qpxrun/RunnerHost.h"

namespace {

constexpr char kScriptDialogTitle[] = "Quopraファイルを開く";

// Asks for a script in the Open dialog. A chosen file whose name has no
// CP932 form cannot be used.
FileChoice AskForScript(std::string& path) {
  COpenFileDialog dialog(nullptr);
  char folder[kFileNameBufferSize + 1] = {};
  if (platform::GetCurrentFolder(sizeof folder, folder) != 0) dialog.SetInitialDir(folder);
  dialog.SetFilter(kScriptFilter);
  dialog.SetTitle(kScriptDialogTitle);
  return dialog.Choose(path);
}

// Loads and runs the script; every way it can fail ends with one message.
int LoadAndRun(const std::string& path) {
  CScriptFile script(QuopraStatements());
  if (!LoadScript(script, path)) {
    ShowMessage(nullptr, LoadFailedMessage());
    return 0;
  }
  CRunnerHost host;
  platform::OriginMark mark;
  if (platform::ReadOriginMark(path, mark) && !ConfirmDownloadedScript(script, mark, host))
    return 0;
  RunScript(script, host);
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
  ShowMessage(nullptr, LoadFailedMessage());
  return 0;
}

int RunRunner(const platform::CommandArgument& commandTail) {
  if (commandTail.hasCp932Form) return RunRunner(commandTail.text);
  std::string name;
  if (!platform::EnterFolderOf(commandTail, name)) {
    ShowMessage(nullptr, LoadFailedMessage());
    return 0;
  }
  return LoadAndRun(name);
}
