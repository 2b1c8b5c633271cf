#include "language/UnitClassifier.h"

#include "text/HexString.h"
#include "language/Vocabulary.h"

namespace {

constexpr ClassifiedUnit kRejected{UnitKind::kRejected, 0, {}};

ClassifiedUnit Value(char letter, std::string_view operand) {
  return {UnitKind::kValue, letter, operand};
}

ClassifiedUnit ClassifyValueAfter(std::string_view unit, std::string_view previous,
                                  bool& decided) {
  decided = true;
  // Decimal digits count as a decimal number only right after dword_dec.
  if (IsWord(previous, kKeywordDecimalDword) && IsDecimalString(unit)) return Value('9', unit);
  if (IsWord(previous, kKeywordString)) {
    if (unit.size() < 3 || !IsQuotedUnit(unit)) return kRejected;
    return Value('S', unit);
  }
  if (IsWord(previous, kKeywordAssignBits)) {
    if (!IsBitPattern(unit)) return kRejected;
    return Value('B', unit);
  }
  if ((IsWord(previous, kKeywordAssign) && IsHexPattern(unit)) || HexString::IsHexString(unit)) {
    if (unit.size() % 2 != 0) return kRejected;
    return Value('X', unit);
  }
  decided = false;
  return kRejected;
}

}  // namespace

ClassifiedUnit ClassifyUnit(std::string_view unit, std::string_view previous) {
  bool decided = false;
  ClassifiedUnit value = ClassifyValueAfter(unit, previous, decided);
  if (decided) return value;
  if (IsQuotedUnit(unit)) return Value('S', unit.substr(1, unit.size() - 2));
  if (IsKeyword(unit)) return {UnitKind::kKeyword, 0, {}};
  if (IsWord(unit, kTerminator)) return {UnitKind::kTerminator, 0, {}};
  if (IsWord(unit, kDirectiveEnd)) return {UnitKind::kEnd, 0, {}};
  return kRejected;
}
