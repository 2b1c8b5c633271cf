#include <algorithm>
#include <cstdint>
#include <new>

#include "compare/Comparison.h"
#include "platform/Files.h"
#include "platform/Memory.h"

namespace {

// Two pieces of this size are all the memory a comparison holds of the
// files, whatever their size.
constexpr uint32_t kPieceSize = uint32_t{4} << 20;

// One file, opened as an image loads its target (for reading and
// writing), and read a piece at a time.
class CPieceReader {
 public:
  explicit CPieceReader(const std::string& path)
      : file_(platform::Open(path, platform::kOpenReadWrite)),
        length_(file_.IsValid() ? platform::FileLength(file_.Get()) : -1) {}

  // False as for an image that cannot load the file: it does not open,
  // or it is 4 GiB or larger.
  bool Opened() const { return length_ >= 0 && length_ <= int64_t{UINT32_MAX}; }
  uint32_t Length() const { return static_cast<uint32_t>(length_); }
  // The next count bytes; false on a read error or an early end, and
  // from then on.
  bool Read(unsigned char* piece, uint32_t count) {
    read_ += count;
    failed_ = failed_ || !platform::ReadFully(file_.Get(), piece, count);
    return !failed_;
  }
  // Reads what is left; false when the file cannot be read whole.
  bool ReadRest(unsigned char* piece) {
    while (!failed_ && read_ < Length()) {
      if (!Read(piece, static_cast<uint32_t>(std::min<uint64_t>(kPieceSize, Length() - read_)))) {
        return false;
      }
    }
    return !failed_;
  }

 private:
  platform::CAutoCloseFile file_;
  int64_t length_;
  uint64_t read_ = 0;
  bool failed_ = false;
};

unsigned char* Bytes(const platform::CAutoFreeBlock& block) {
  return reinterpret_cast<unsigned char*>(block.Get());
}

}  // namespace

bool CComparison::TakeFirst(const std::string& path) {
  ClearDifferences();
  firstPath_ = path;
  return CPieceReader(path).Opened();
}

// A load of the first file comes whole before the second is opened: when
// both fail, the first is blamed. So the first file is read to its end
// before any failure of the second is reported, and before different
// sizes are.
CompareOutcome CComparison::CompareFiles(const std::string& firstPath,
                                         const std::string& secondPath) {
  ClearDifferences();
  firstPath_ = firstPath;
  CPieceReader first(firstPath);
  if (!first.Opened()) return CompareOutcome::kFirstLoadFailed;
  secondPath_ = secondPath;
  CPieceReader second(secondPath);
  platform::CAutoFreeBlock firstPiece(kPieceSize);
  platform::CAutoFreeBlock secondPiece(kPieceSize);
  if (!firstPiece.IsValid() || !secondPiece.IsValid()) throw std::bad_alloc();
  auto blame = [&]() {
    ClearDifferences();
    if (!first.ReadRest(Bytes(firstPiece))) return CompareOutcome::kFirstLoadFailed;
    if (!second.Opened() || !second.ReadRest(Bytes(secondPiece))) {
      return CompareOutcome::kSecondLoadFailed;
    }
    return CompareOutcome::kSizesDiffer;
  };
  if (!second.Opened() || second.Length() != first.Length()) return blame();
  try {
    // Counted in 64 bits: a file of nearly 4 GiB ends its last piece at
    // the top of the addresses, where one more piece would wrap to 0.
    for (uint64_t at = 0; at < first.Length(); at += kPieceSize) {
      auto count = static_cast<uint32_t>(std::min<uint64_t>(kPieceSize, first.Length() - at));
      if (!first.Read(Bytes(firstPiece), count)) return blame();
      if (!second.Read(Bytes(secondPiece), count)) return blame();
      CompareBytes(Bytes(firstPiece), Bytes(secondPiece), count, differences_,
                   static_cast<uint32_t>(at));
    }
  } catch (const std::bad_alloc&) {
    ClearDifferences();
    throw;
  }
  return CompareOutcome::kCompared;
}
