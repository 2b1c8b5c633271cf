#include "language/UnitList.h"

#include "text/ByteClasses.h"

void CUnitList::CIterator::Find(const char* from) {
  const char* at = from;
  for (; at < end_ && IsSeparator(*at); ++at) {
    if (*at == '\n' || (*at == '\r' && (at + 1 == end_ || at[1] != '\n'))) ++line_;
  }
  const char* start = at;
  while (at < end_ && !IsSeparator(*at)) ++at;
  unit_ =
      at > start ? std::string_view(start, static_cast<size_t>(at - start)) : std::string_view();
}

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
