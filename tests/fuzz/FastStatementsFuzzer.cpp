// Fuzz target: the run loop's fast reading of qpxdiff's statements against
// the general reading. From every unit that follows a ";" unit of the
// input, statements are read the fast way; each statement it takes must be
// four units that the general reading classifies as "X", "=", "X", ";",
// whose byte handler stores the same byte at the same address (or fails
// where the fast store failed), and the reading must stop on the last of
// those units, on its line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "image/SourceData.h"
#include "interpreter/FastStatements.h"
#include "language/Statement.h"
#include "language/UnitClassifier.h"
#include "language/UnitList.h"
#include "language/Vocabulary.h"
#include "platform/Memory.h"
#include "statements/ByteStatements.h"

namespace {

// Small enough that many addresses fall outside, so failing stores are read too.
constexpr uint32_t kImageSize = 0x100;

[[noreturn]] void Die(const char* what) {
  std::fprintf(stderr, "fast statements differ from the general reading: %s\n", what);
  std::abort();
}

struct Store {
  uint32_t address;
  uint8_t value;
};

// The next unit of the general reading, or dies when the text has none.
std::string_view Take(CUnitList::CIterator& unit) {
  if (unit == CUnitList::CIterator()) Die("the fast reading took units the text does not have");
  return *unit++;
}

// Reads one statement the general way and stores it into image: whether
// the handler stored it, and its ";".
bool ReadGenerally(CUnitList::CIterator& unit, CSourceData& image, Store& store,
                   CUnitList::CIterator& terminatorUnit) {
  std::string_view address = Take(unit);
  std::string_view assign = Take(unit);
  std::string_view value = Take(unit);
  terminatorUnit = unit;
  std::string_view terminator = Take(unit);
  ClassifiedUnit first = ClassifyUnit(address, kTerminator);
  ClassifiedUnit second = ClassifyUnit(assign, address);
  ClassifiedUnit third = ClassifyUnit(value, assign);
  ClassifiedUnit fourth = ClassifyUnit(terminator, value);
  if (first.kind != UnitKind::kValue || first.letter != 'X' || second.kind != UnitKind::kKeyword ||
      !IsWord(assign, kKeywordAssign) || third.kind != UnitKind::kValue || third.letter != 'X' ||
      fourth.kind != UnitKind::kTerminator) {
    Die("a statement the general reading gives another shape");
  }
  CStatement statement;
  statement.operands = {std::string(first.operand), std::string(third.operand)};
  bool stored = HandleSetBytes(image, statement) == HandlerResult::kDone;
  store.address = 0;
  for (char c : address) store.address = store.address << 4 | HexDigitValue(c);
  store.value = stored ? image.GetByte(store.address) : 0;
  return stored;
}

// Compares the two readings from the unit after a ";".
void CompareFrom(CUnitList::CIterator unit, CSourceData& image) {
  std::vector<Store> fast;
  FastStatements::Reading reading = FastStatements::Read(
      unit.Here(), unit.TextEnd(), unit.Line(), [&fast](uint32_t address, uint8_t value) {
        fast.push_back({address, value});
        return address < kImageSize;
      });
  if (reading.statements != fast.size()) Die("a statement read without its store");
  CUnitList::CIterator terminatorUnit;
  for (size_t at = 0; at < fast.size(); ++at) {
    Store general{};
    bool stored = ReadGenerally(unit, image, general, terminatorUnit);
    if (general.address != fast[at].address) Die("another address");
    if (stored != (fast[at].address < kImageSize)) Die("a store failed in one reading only");
    if (stored && general.value != fast[at].value) Die("another value");
    if (!stored && (at + 1 != fast.size() || reading.stored))
      Die("a reading went on past a failure");
  }
  // The fast reading stops on the ";" of its last statement, where the
  // general reading ended that statement, on the same line.
  if (reading.statements > 0 &&
      (reading.last != terminatorUnit.Here() || reading.line != terminatorUnit.Line())) {
    Die("the readings go on elsewhere");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CSourceData image;
  platform::CAutoFreeBlock text(size == 0 ? 1 : size);
  if (image.Allocate(kImageSize) == nullptr || !text.IsValid()) return 0;
  std::copy(data, data + size, text.Get());
  CUnitList units;
  units.Cut(std::move(text), size);
  // The text may start as a section's statements do, after a ";".
  bool afterTerminator = true;
  for (CUnitList::CIterator unit = units.begin(); unit != units.end(); ++unit) {
    if (afterTerminator) CompareFrom(unit, image);
    afterTerminator = IsWord(*unit, kTerminator);
  }
  return 0;
}
