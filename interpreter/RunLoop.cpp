// The run loop: one pass over the units as a small state machine whose
// state lives in one struct, with one function per state.
#include "interpreter/RunLoop.h"

#include <string>
#include <string_view>

#include "image/SourceData.h"
#include "interpreter/FastStatements.h"
#include "language/ParseScript.h"
#include "language/ParseScriptException.h"
#include "language/RunHost.h"
#include "language/ShapeTables.h"
#include "language/Statement.h"
#include "language/UnitClassifier.h"
#include "language/Vocabulary.h"
#include "text/HexString.h"

namespace {

// Where the run stands between two units.
enum class Phase {
  kSearching,           // skipping units up to a directive
  kAwaitingArgument,    // a directive was read, its argument not yet taken
  kAwaitingDialogSpec,  // "dialog" was read in place of the argument
  kInSection,           // the argument was taken: statements up to "#end"
};

// A unit: its index among the script's units and its line.
struct UnitPlace {
  size_t index = 0;
  size_t line = 0;
};

struct RunState {
  UnitPlace here;  // the unit being read
  Phase phase = Phase::kSearching;
  UnitPlace directiveAt;  // the unit of the current directive
  UnitPlace statementAt;  // the first unit of the statement being read
  std::string_view currentDirective;
  std::string targetPath;
  std::string signature;
  CStatement statement;
};

[[noreturn]] void Fail(ParseScriptReason reason) { throw CParseScriptException(reason); }

[[noreturn]] void Fail(ParseScriptReason reason, UnitPlace unit) {
  throw CParseScriptException(reason, unit.index, unit.line);
}

class CRunLoop {
 public:
  CRunLoop(CParseScript& script, CRunHost& host)
      : script_(script), host_(host), image_(host.Image()) {}
  void Run();

 private:
  void RunUnits();
  bool ReadsFast(std::string_view previous) const;
  // A frame of its own, with nothing to clean up if a store throws: where
  // exceptions are emulated (the browser's build), a call made inside a
  // frame that would have to clean up goes out through the host, and here
  // that would be one per byte.
  [[gnu::noinline]] bool ReadFast(CUnitList::CIterator& unit);
  void StartSection();
  void OnSearching(std::string_view unit);
  void OnDialogSpec(std::string_view unit);
  void OnArgument(std::string_view unit, std::string_view previous);
  void OnStatementUnit(std::string_view unit, std::string_view previous);
  void OnSectionEnd();
  void Dispatch();
  bool CallImageHandler();
  bool CallRegistryHandler();
  void LoadTarget();
  void Finish();

  CParseScript& script_;
  RunState state_;
  CRunHost& host_;
  CSourceData& image_;
};

void CRunLoop::Run() {
  if (script_.units.empty()) Fail(NoUnits);
  try {
    RunUnits();
  } catch (CParseScriptException& failure) {
    // The unit being read is the one to blame, unless the failure named
    // another itself.
    if (failure.GetUnit() == CParseScriptException::kUnknownUnit) {
      failure.SetUnit(state_.here.index, state_.here.line);
    }
    throw;
  }
  Finish();
}

void CRunLoop::RunUnits() {
  std::string_view previous;
  const CUnitList::CIterator end = script_.units.end();
  for (CUnitList::CIterator next = script_.units.begin(); next != end;
       ++next, ++state_.here.index) {
    state_.here.line = next.Line();
    if (ReadsFast(previous) && ReadFast(next)) {
      previous = kTerminator;
      continue;
    }
    std::string_view unit = *next;
    switch (state_.phase) {
      case Phase::kSearching:
        OnSearching(unit);
        break;
      case Phase::kAwaitingArgument:
        OnArgument(unit, previous);
        break;
      case Phase::kAwaitingDialogSpec:
        OnDialogSpec(unit);
        break;
      case Phase::kInSection:
        OnStatementUnit(unit, previous);
        break;
    }
    previous = unit;
  }
}

// Right after a statement, with nothing pending, the statements qpxdiff
// writes are read straight from the text.
bool CRunLoop::ReadsFast(std::string_view previous) const {
  return state_.phase == Phase::kInSection && state_.signature.empty() &&
         state_.statement.operands.empty() && IsWord(previous, kTerminator);
}

// Reads statements of qpxdiff's form from the unit on, as the general
// reading would: a byte that does not fit the image fails the statement
// at its ";". True when at least one was read; unit is then the ";" of
// the last one.
bool CRunLoop::ReadFast(CUnitList::CIterator& unit) {
  FastStatements::Reading reading = FastStatements::Read(
      unit.Here(), unit.TextEnd(), unit.Line(),
      [this](uint32_t address, uint8_t value) { return image_.SetByte(address, value); });
  if (reading.statements == 0) return false;
  unit.MoveTo(reading.last, reading.line);
  state_.here = {state_.here.index + 4 * reading.statements - 1, reading.line};
  if (!reading.stored) Fail(ScriptError);
  return true;
}

void CRunLoop::OnSearching(std::string_view unit) {
  std::string_view directive = FindDirective(unit);
  if (directive.empty()) return;
  state_.currentDirective = directive;
  state_.phase = Phase::kAwaitingArgument;
  state_.directiveAt = state_.here;
}

void CRunLoop::OnDialogSpec(std::string_view unit) {
  auto& statement = state_.statement;
  statement.operands.emplace_back(unit);
  HandlerResult result = script_.statements.dialog(host_, statement);
  if (result == HandlerResult::kCancelled) Fail(Cancelled);
  if (result != HandlerResult::kDone) Fail(TargetOpenFailed);
  state_.targetPath = statement.operands.front();
  statement.operands.clear();
  LoadTarget();
  state_.phase = Phase::kInSection;
  StartSection();
}

// The argument of a directive: "dialog" followed by a description, or a
// quoted unit. Any other unit is a statement unit, and the directive goes
// on awaiting its argument.
void CRunLoop::OnArgument(std::string_view unit, std::string_view previous) {
  if (IsWord(unit, kKeywordDialog)) {
    state_.phase = Phase::kAwaitingDialogSpec;
    return;
  }
  std::string decoded(unit);
  if (!Unquote(decoded)) {
    OnStatementUnit(unit, previous);
    return;
  }
  if (state_.currentDirective == kDirectiveRegistry) {
    state_.targetPath = decoded;
  } else {
    state_.targetPath = script_.ResolveTargetPath(decoded);
  }
  if (state_.targetPath.empty()) Fail(TargetOpenFailed);
  if (state_.currentDirective == kDirectiveEnd) {
    // A stray "#end" found while searching opens no section: its units
    // are statement units, and it goes on awaiting an argument.
    OnStatementUnit(unit, previous);
    return;
  }
  if (state_.currentDirective == kDirectivePath) {
    LoadTarget();
  } else {
    state_.statement.operands.push_back(state_.targetPath);
  }
  state_.phase = Phase::kInSection;
  StartSection();
}

void CRunLoop::StartSection() { host_.OnSectionStart(state_.currentDirective, state_.targetPath); }

void CRunLoop::LoadTarget() {
  bool loaded = false;
  try {
    loaded = host_.LoadTarget(image_, state_.targetPath);
  } catch (const CSourceDataException&) {
    loaded = false;  // no memory for the target: it cannot be worked on
  }
  if (!loaded) Fail(TargetOpenFailed);
}

void CRunLoop::OnStatementUnit(std::string_view unit, std::string_view previous) {
  ClassifiedUnit classified = ClassifyUnit(unit, previous);
  switch (classified.kind) {
    case UnitKind::kValue:
      if (state_.signature.empty()) state_.statementAt = state_.here;
      state_.signature += classified.letter;
      state_.statement.operands.emplace_back(classified.operand);
      return;
    case UnitKind::kKeyword:
      if (state_.signature.empty()) state_.statementAt = state_.here;
      state_.signature += unit;
      return;
    case UnitKind::kTerminator:
      Dispatch();
      state_.signature.clear();
      return;
    case UnitKind::kEnd:
      OnSectionEnd();
      return;
    case UnitKind::kRejected:
      Fail(ScriptError);
  }
}

void CRunLoop::OnSectionEnd() {
  // A statement left unfinished at "#end" is an error, not the start of
  // the next section's first statement.
  if (!state_.signature.empty()) Fail(ScriptError);
  if (state_.currentDirective == kDirectivePath) {
    // Without its own target the image may still hold an earlier
    // section's bytes, which must never be written under any name.
    if (state_.phase != Phase::kInSection) Fail(SaveFailed);
    if (!host_.SaveTarget(image_, state_.targetPath)) Fail(SaveFailed);
  }
  host_.OnSectionEnd();
  state_.statement.operands.clear();  // an unused registry value path
  state_.phase = Phase::kSearching;
}

void CRunLoop::Dispatch() {
  bool matched = false;
  try {
    matched = CallImageHandler() || CallRegistryHandler();
  } catch (const HexString::CHexStringException&) {
    Fail(ScriptError);  // an operand that is no number of its width
  }
  if (!matched) Fail(ScriptError);
  state_.statement.operands.clear();
}

bool CRunLoop::CallImageHandler() {
  for (const ImageShape& entry : script_.statements.image) {
    if (!IsWord(state_.signature, entry.shape)) continue;
    if (entry.handler(image_, state_.statement) != HandlerResult::kDone) Fail(ScriptError);
    return true;
  }
  return false;
}

bool CRunLoop::CallRegistryHandler() {
  for (const RegistryShape& entry : script_.statements.registry) {
    if (!IsWord(state_.signature, entry.shape)) continue;
    if (entry.handler(host_, state_.statement) != HandlerResult::kDone) Fail(ScriptError);
    return true;
  }
  return false;
}

// The script has ended: a section left open is blamed on its directive,
// an unfinished statement on the last unit.
void CRunLoop::Finish() {
  UnitsEnd end;
  bool inSection =
      state_.phase != Phase::kSearching &&
      (state_.currentDirective == kDirectivePath || state_.currentDirective == kDirectiveRegistry);
  if (inSection) {
    end.openDirective = state_.directiveAt.index;
    end.openDirectiveLine = state_.directiveAt.line;
  }
  if (!state_.signature.empty()) {
    end.pendingStatement = state_.statementAt.index;
    end.pendingStatementLine = state_.statementAt.line;
  }
  end.lastLine = state_.here.line;
  host_.OnUnitsEnd(end);
  if (state_.currentDirective == kDirectivePath && image_.IsModified()) {
    Fail(NoEndDirective, state_.directiveAt);
  }
  if (state_.currentDirective == kDirectiveRegistry && !state_.signature.empty()) {
    Fail(ScriptError, {state_.here.index - 1, state_.here.line});
  }
}

}  // namespace

void RunUnits(CParseScript& script, CRunHost& host) { CRunLoop(script, host).Run(); }
