// qpxdiff's entry: the files named on the command line, each as a full
// path in CP932 (empty where it has no CP932 form), go to the window.
#include <string>
#include <vector>

#include "platform/AppMain.h"
#include "platform/Files.h"
#include "qpxdiff/MainWindow.h"

int AppMain(platform::InstanceHandle instance, const platform::CommandArgument&, int showCommand) {
  std::vector<std::string> paths;
  for (const platform::CommandArgument& argument : platform::GetCommandArguments(0, nullptr)) {
    // As the Open dialog gives it; empty, naming no file, without a CP932 form.
    std::string full;
    if (!argument.hasCp932Form || !platform::GetFullPath(argument.text, full)) full.clear();
    paths.push_back(full);
  }
  return RunDiffMaker(instance, showCommand, paths);
}
