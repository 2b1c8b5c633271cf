// The statement handed to every statement handler.
#pragma once

#include <string>
#include <vector>

class CParseScript;

class CStatement {
 public:
  std::vector<std::string> operands;  // in unit order
  CParseScript* owner = nullptr;      // the running interpreter
};
