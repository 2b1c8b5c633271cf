#include "script/UnitClassifier.h"

#include "patch/HexString.h"
#include "script/Vocabulary.h"

namespace {

constexpr ClassifiedUnit kRejected{UnitKind::kRejected, 0};

ClassifiedUnit Value(char letter, const std::string& unit, std::string& operand) {
  operand = unit;
  return {UnitKind::kValue, letter};
}

ClassifiedUnit ClassifyValueAfter(const std::string& unit, std::string_view previous,
                                  std::string& operand, bool& decided) {
  decided = true;
  // Decimal digits count as a decimal number only right after dword_dec.
  if (previous == kKeywordDecimalDword && IsDecimalString(unit)) return Value('9', unit, operand);
  if (previous == kKeywordString) {
    if (unit.size() < 3 || !IsQuotedUnit(unit)) return kRejected;
    return Value('S', unit, operand);
  }
  if (previous == kKeywordAssignBits) {
    if (!IsBitPattern(unit)) return kRejected;
    return Value('B', unit, operand);
  }
  if ((previous == kKeywordAssign && IsHexPattern(unit)) || HexString::IsHexString(unit)) {
    if (unit.size() % 2 != 0) return kRejected;
    return Value('X', unit, operand);
  }
  decided = false;
  return kRejected;
}

}  // namespace

ClassifiedUnit ClassifyUnit(const std::string& unit, std::string_view previous,
                            std::string& operand) {
  bool decided = false;
  ClassifiedUnit value = ClassifyValueAfter(unit, previous, operand, decided);
  if (decided) return value;
  if (IsQuotedUnit(unit)) {
    operand.assign(unit, 1, unit.size() - 2);
    return {UnitKind::kValue, 'S'};
  }
  if (IsKeyword(unit)) return {UnitKind::kKeyword, 0};
  if (unit == kTerminator) return {UnitKind::kTerminator, 0};
  if (unit == kDirectiveEnd) return {UnitKind::kEnd, 0};
  return kRejected;
}
