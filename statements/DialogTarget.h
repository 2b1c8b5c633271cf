// The target of a #path section chosen by the user: "#path dialog" has the
// host pick the file in an Open dialog described by the script
// ("title|name|description|pattern|...|").
#pragma once

#include <string>
#include <vector>

#include "language/Statement.h"

class CRunHost;

// Decodes the quoted unit and splits it into title, proposed file name and
// filter (every bar after the name turned into a NUL byte). False when the
// unit is not quoted, does not end with a bar, or holds fewer than four or
// an odd number of bars.
bool ParseDialogSpec(std::string unit, std::vector<std::string>& fields);

// Has the host choose the file for operand 0 (the quoted dialog
// description). kDone: chosen, the operands replaced by the chosen path
// (the run loads it as any target); kCancelled; kFailed: any other failure.
HandlerResult HandleDialog(CRunHost& host, CStatement& statement);
