// The one function a program provides to the shared Windows entry point.
#pragma once

#include "platform/Types.h"

// Called by WinMain with the command-line tail (without the program
// name) and the show command; its result is the process exit code.
int AppMain(platform::InstanceHandle instance, const char* commandTail, int showCommand);
