// The one exception of the run loop: a reason code that the runner turns
// into its message.
#pragma once

#include <cstdint>
#include <exception>

enum ParseScriptReason : int32_t {
  UnitParseFailed = 0,
  NoUnits = 1,
  TargetOpenFailed = 2,
  ScriptError = 3,
  SaveFailed = 4,
  NoEndDirective = 5,
  Cancelled = 6,
};

class CParseScriptException : public std::exception {
 public:
  explicit CParseScriptException(int32_t reason) : reason_(reason) {}
  const char* what() const noexcept override { return "CParseScriptException"; }
  int32_t GetReason() const { return reason_; }

 private:
  int32_t reason_;
};
