// The one exception of the run loop: a reason code that the runner turns
// into its message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>

// Why a run stopped. Every table indexed by a reason has kReasonCount
// rows and checks so with ReasonTableFits; OtherFailure, a failure that no
// reason names (no memory, say), has none.
enum ParseScriptReason : int32_t {
  OtherFailure = -1,
  UnitParseFailed = 0,
  NoUnits = 1,
  TargetOpenFailed = 2,
  ScriptError = 3,
  SaveFailed = 4,
  NoEndDirective = 5,
  Cancelled = 6,
};

inline constexpr size_t kReasonCount = static_cast<size_t>(Cancelled) + 1;

// True for a code that names a reason; any other code (negative ones
// included) is a failure of no known reason.
constexpr bool IsReason(int32_t code) {
  return code >= 0 && static_cast<size_t>(code) < kReasonCount;
}

// For a static_assert beside a table indexed by reason, written without
// a size of its own: one row per reason, none missing, none extra.
template <typename Row, size_t N>
constexpr bool ReasonTableFits(const Row (&)[N]) {
  return N == kReasonCount;
}

class CParseScriptException : public std::exception {
 public:
  // The unit index of a failure that no unit can be blamed for.
  static constexpr size_t kUnknownUnit = static_cast<size_t>(-1);

  explicit CParseScriptException(ParseScriptReason reason, size_t unit = kUnknownUnit,
                                 size_t line = 0)
      : reason_(reason), unit_(unit), line_(line) {}
  const char* what() const noexcept override { return "CParseScriptException"; }
  ParseScriptReason GetReason() const { return reason_; }
  // The index, in the script's units, of the unit being read when the run
  // failed; kUnknownUnit when the failure belongs to no single unit.
  size_t GetUnit() const { return unit_; }
  // The line (from 1) of that unit; 0 with no unit.
  size_t GetLine() const { return line_; }
  void SetUnit(size_t unit, size_t line) {
    unit_ = unit;
    line_ = line;
  }

 private:
  ParseScriptReason reason_;
  size_t unit_;
  size_t line_;
};
