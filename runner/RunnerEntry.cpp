#include "runner/RunnerEntry.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "platform/MessageBox.h"
#include "platform/Process.h"
#include "runner/FileDialog.h"
#include "runner/Outcome.h"
#include "script/ParseScript.h"
#include "script/ParseScriptException.h"

namespace {

constexpr char kScriptFilter[] = "Quopraファイル (*.qpx)\0*.qpx\0";
constexpr char kScriptDialogTitle[] = "Quopraファイルを開く";

void Show(const OutcomeMessage& message) {
  platform::MessageBoxA(nullptr, std::string(message.text), std::string(message.caption),
                        message.flags);
}

// Asks for a script in the Open dialog; nothing when the user cancels.
std::optional<std::string> AskForScript() {
  COpenFileDialog dialog(nullptr);
  char folder[kFileNameBufferSize + 1] = {};
  if (platform::GetCurrentDirectoryA(sizeof folder, folder) != 0) dialog.SetInitialDir(folder);
  dialog.SetFilter(kScriptFilter);
  dialog.SetTitle(kScriptDialogTitle);
  if (dialog.Show() == 0) return std::nullopt;
  char chosen[kFileNameBufferSize + 1] = {};
  dialog.GetFileName(chosen);
  return std::string(chosen);
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

}  // namespace

std::string ScriptPathFromCommandLine(const std::string& commandTail) {
  std::string path = commandTail;
  path.erase(std::remove(path.begin(), path.end(), '"'), path.end());
  return path;
}

int RunRunner(const std::string& commandTail) {
  std::string path;
  if (!commandTail.empty()) {
    path = ScriptPathFromCommandLine(commandTail);
  } else {
    std::optional<std::string> chosen = AskForScript();
    if (!chosen) return 0;
    path = *chosen;
  }
  CScriptFile script;
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
