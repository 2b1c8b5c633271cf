// The Windows GUI entry point shared by the programs: it hands the
// command-line tail to the program's AppMain and returns its result.
#include <windows.h>

#include "platform/AppMain.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandTail, int showCommand) {
  return AppMain(instance, commandTail ? commandTail : "", showCommand);
}
