// qpx's entry: the arguments after the program name go to RunQpx, whose
// answer is the exit status.
#include "console/Commands.h"
#include "platform/CommandLine.h"

int main(int argc, char** argv) { return RunQpx(platform::GetCommandArguments(argc, argv)); }
