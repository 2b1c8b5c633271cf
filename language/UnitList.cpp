#include "language/UnitList.h"

size_t CUnitList::size() const {
  if (!counted_) {
    count_ = static_cast<size_t>(std::distance(begin(), end()));
    counted_ = true;
  }
  return count_;
}

std::string_view CUnitList::operator[](size_t index) const {
  CIterator unit = begin();
  std::advance(unit, index);
  return *unit;
}

void CUnitList::Cut(platform::CAutoFreeBlock text, size_t size) {
  text_ = std::move(text);
  size_ = size;
  counted_ = false;
}
