// The terminal's answer to a "#path dialog" section.
#pragma once

#include <string>

#include "text/Texts.h"
#include "language/RunHost.h"

// "description (pattern), ..." for a filter of NUL-separated pairs.
std::string DescribeFileTypes(const std::string& filter);

// Shows the script's title, proposed name and file types on standard
// error and reads the target path from standard input: cancelled by an
// empty line or the end of the input, refused when the path has no CP932
// form.
FileChoice AskTargetOnTerminal(const DialogRequest& request, Language language,
                               std::string& chosen);
