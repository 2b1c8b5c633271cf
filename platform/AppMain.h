// The one function a program provides to the shared Windows entry point.
#pragma once

#include "platform/CommandLine.h"
#include "platform/Types.h"

// Called by WinMain with the command-line tail (without the program name)
// and the show command; its result is the process exit code. The tail
// comes from the wide command line, in CP932 where it has a CP932 form.
int AppMain(platform::InstanceHandle instance, const platform::CommandArgument& commandTail,
            int showCommand);
