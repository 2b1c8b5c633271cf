// qpxdiff's entry: the command line is not read.
#include "qpxdiff/MainWindow.h"
#include "platform/AppMain.h"

int AppMain(platform::InstanceHandle instance, const platform::CommandArgument&, int showCommand) {
  return RunDiffMaker(instance, showCommand);
}
