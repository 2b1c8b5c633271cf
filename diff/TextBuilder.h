// A text built in one buffer sized beforehand for its longest possible
// content, so that long listings and scripts cost one allocation.
#pragma once

#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "diff/EvenHex.h"

class CTextBuilder {
 public:
  // capacity: an upper bound of the text's length. Throws std::bad_alloc
  // when it exceeds what one string can hold here.
  explicit CTextBuilder(uint64_t capacity) {
    if (capacity > text_.max_size()) throw std::bad_alloc();
    text_.resize(static_cast<size_t>(capacity));
    cursor_ = text_.data();
  }
  CTextBuilder(const CTextBuilder&) = delete;
  CTextBuilder& operator=(const CTextBuilder&) = delete;

  void Append(std::string_view piece) {
    std::memcpy(cursor_, piece.data(), piece.size());
    cursor_ += piece.size();
  }
  void AppendHex(uint32_t value) { cursor_ = EvenHex::Write(value, cursor_); }
  void AppendByte(unsigned char value) { cursor_ = EvenHex::WriteByte(value, cursor_); }

  // The text written so far; the builder is spent afterwards.
  std::string Finish() {
    text_.resize(static_cast<size_t>(cursor_ - text_.data()));
    return std::move(text_);
  }

 private:
  std::string text_;
  char* cursor_;
};
