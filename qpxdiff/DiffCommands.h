// The two working commands of the difference-script maker's menu, and the
// one road by which a file reaches the comparison: chosen in the Open
// dialog, dropped on the window or named on the command line. Each command
// runs to completion, with its dialogs and message boxes, and returns 0
// ("handled") to the window's command table.
#pragma once

#include <string>
#include <vector>

#include "compare/Comparison.h"
#include "platform/Types.h"

// What the commands work on: the main window (which owns their message
// boxes), the pane that shows the listing, and the comparison.
struct DiffView {
  platform::WindowHandle mainWindow;
  platform::WindowHandle pane;
  CComparison& comparison;
};

// Which file of the pair a file given next becomes.
enum class NextFile { kFirst, kSecond };

// Takes the path as file `next` of the pair: loads the first file, or
// loads the second and compares, putting the listing (or the size notice)
// into the pane. A file that cannot be read gets its message; an empty
// path (a name without a CP932 form) names no file and cannot be read.
// Answers which file the one given after it becomes: the second only
// after a first file was loaded.
NextFile TakeFile(const DiffView& view, NextFile next, const std::string& path);

// Files given together, dropped or on the command line: two are compared,
// the first as file 1; one is taken as file `next`. Any other number is
// passed over. Answers which file the one given after them becomes.
NextFile TakeFiles(const DiffView& view, NextFile next, const std::vector<std::string>& paths);

// Asks for the files from `next` on (kSecond: the first is loaded, only the
// second is asked for), compares them and puts the listing (or the size
// notice) into the pane.
int RunOpenCommand(const DiffView& view, NextFile next);

// Asks for the direction and the file name, and writes the script of the
// last comparison.
int RunCreateScriptCommand(platform::WindowHandle mainWindow, const CComparison& comparison);
