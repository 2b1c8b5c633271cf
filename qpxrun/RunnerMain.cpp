// qpxrun's entry: the command-line tail goes to the runner, which answers 0.
#include "platform/AppMain.h"
#include "qpxrun/RunnerEntry.h"

int AppMain(platform::InstanceHandle, const platform::CommandArgument& commandTail, int) {
  return RunRunner(commandTail);
}
