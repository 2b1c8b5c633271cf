// A script's units: the script's own copy of its text, cut into units as
// they are read, each with the line it stands on. A script of millions of
// statements costs its text and nothing per unit.
#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

#include "platform/Memory.h"
#include "text/ByteClasses.h"

class CUnitList {
 public:
  // From at, past the separators, adding the lines they end to line; the
  // one step of every reading of units, the iterator's and the run loop's
  // fast reading of qpxdiff's statements. CR LF, LF and CR each end a line.
  static const char* SkipSeparators(const char* at, const char* end, size_t& line) {
    for (; at < end && IsSeparator(*at); ++at) {
      if (*at == '\n' || (*at == '\r' && (at + 1 == end || at[1] != '\n'))) ++line;
    }
    return at;
  }

  // Walks the units in text order; each unit is a view into the text.
  class CIterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = const std::string_view*;
    using reference = const std::string_view&;

    CIterator() = default;
    CIterator(const char* from, const char* end) : end_(end) { Find(from); }
    reference operator*() const { return unit_; }
    pointer operator->() const { return &unit_; }
    CIterator& operator++() {
      Find(unit_.data() + unit_.size());
      return *this;
    }
    CIterator operator++(int) {
      CIterator before = *this;
      ++*this;
      return before;
    }
    bool operator==(const CIterator& other) const { return unit_.data() == other.unit_.data(); }

    // The line (from 1) the unit stands on.
    size_t Line() const { return line_; }

    // Where the unit begins and the text ends, for a reading that takes
    // several units at once and then moves on to the unit at from, which
    // stands on line.
    const char* Here() const { return unit_.data(); }
    const char* TextEnd() const { return end_; }
    void MoveTo(const char* from, size_t line) {
      line_ = line;
      Find(from);
    }

   private:
    // The next unit at or after from; inline, as the run loop takes every
    // unit through it.
    void Find(const char* from) {
      const char* at = SkipSeparators(from, end_, line_);
      const char* start = at;
      while (at < end_ && !IsSeparator(*at)) ++at;
      unit_ = at > start ? std::string_view(start, static_cast<size_t>(at - start))
                         : std::string_view();
    }

    const char* end_ = nullptr;
    std::string_view unit_;  // no data at the end
    size_t line_ = 1;
  };

  CIterator begin() const { return CIterator(text_.Get(), text_.Get() + size_); }
  CIterator end() const { return CIterator(); }
  bool empty() const { return begin() == end(); }
  // The number of units; counted on the first call.
  size_t size() const;
  // The unit at index, found by walking from the first: for reports, not
  // for loops.
  std::string_view operator[](size_t index) const;

  // Replaces the units by those of the first size bytes of text, which
  // the list keeps. Units end at space, tab, CR, LF and the zero byte.
  void Cut(platform::CAutoFreeBlock text, size_t size);

 private:
  platform::CAutoFreeBlock text_;
  size_t size_ = 0;
  mutable size_t count_ = 0;
  mutable bool counted_ = false;
};
