// The one exception of the run loop: a reason code that the runner turns
// into its message.
#pragma once

#include <cstddef>
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
  // The unit index of a failure that no unit can be blamed for.
  static constexpr size_t kUnknownUnit = static_cast<size_t>(-1);

  explicit CParseScriptException(int32_t reason, size_t unit = kUnknownUnit)
      : reason_(reason), unit_(unit) {}
  const char* what() const noexcept override { return "CParseScriptException"; }
  int32_t GetReason() const { return reason_; }
  // The index, in the script's units, of the unit being read when the run
  // failed; kUnknownUnit when the failure belongs to no single unit.
  size_t GetUnit() const { return unit_; }
  void SetUnit(size_t unit) { unit_ = unit; }

 private:
  int32_t reason_;
  size_t unit_;
};
