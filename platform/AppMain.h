// The one function a program provides to the shared Windows entry point.
#pragma once

#include "platform/CommandLine.h"
#include "platform/Types.h"

// Called by WinMain with the command-line tail (without the program name)
// and the show command; its result is the process exit code. With code
// page 932 the tail is the system's own; with any other it comes from the
// wide command line, converted to CP932 where it has a CP932 form.
int AppMain(platform::InstanceHandle instance, const platform::CommandArgument& commandTail,
            int showCommand);
