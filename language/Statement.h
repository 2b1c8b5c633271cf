// The statement handed to every statement handler, and what a handler
// makes of it.
#pragma once

#include <string>
#include <vector>

class CStatement {
 public:
  std::vector<std::string> operands;  // in unit order
};

enum class HandlerResult {
  kDone,       // the statement did what it says
  kFailed,     // a script error, or a change the target or the registry refused
  kCancelled,  // the user cancelled the dialog of a "#path dialog" section
};
