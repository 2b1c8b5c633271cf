// The terminal's answer to a "#path dialog" section.
#pragma once

#include <string>

#include "script/RunHooks.h"

// "description (pattern), ..." for a filter of NUL-separated pairs.
std::string DescribeFileTypes(const std::string& filter);

// Shows the script's title, proposed name and file types on standard
// error and reads the target path from standard input: false for an
// empty line or the end of the input.
bool AskTargetOnTerminal(const DialogRequest& request, std::string& chosen);
