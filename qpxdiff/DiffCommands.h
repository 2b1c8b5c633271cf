// The two working commands of the difference-script maker's menu. Each
// runs to completion, with its dialogs and message boxes, and returns 0
// ("handled") to the window's command table.
#pragma once

#include "compare/Comparison.h"
#include "platform/Types.h"

// Asks for two files, compares them and puts the listing (or the size
// notice) into the pane. Message boxes are owned by mainWindow.
int RunOpenCommand(platform::WindowHandle mainWindow, platform::WindowHandle pane,
                   CComparison& comparison);

// Asks for the direction and the file name, and writes the script of the
// last comparison.
int RunCreateScriptCommand(platform::WindowHandle mainWindow, const CComparison& comparison);
