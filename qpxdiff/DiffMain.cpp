// qpxdiff's entry: the files named on the command line, each as a full
// path in CP932 (empty where it has no CP932 form), go to the window.
#include <string>
#include <vector>

#include "platform/AppMain.h"
#include "qpxdiff/MainWindow.h"

int AppMain(platform::InstanceHandle instance, const platform::CommandArgument&, int showCommand) {
  std::vector<std::string> paths;
  for (const platform::CommandArgument& argument : platform::GetCommandArguments(0, nullptr)) {
    paths.push_back(platform::FullPathOf(argument));
  }
  return RunDiffMaker(instance, showCommand, paths);
}
