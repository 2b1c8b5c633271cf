// The statement handed to every statement handler.
#pragma once

#include <string>
#include <vector>

class CStatement {
 public:
  std::vector<std::string> operands;  // in unit order
};
