// A text built in one buffer sized beforehand for its longest possible
// content, so that long listings and scripts cost one allocation.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "text/EvenHex.h"

// Receives a long text piece by piece; false stops the text.
using TextSink = std::function<bool(std::string_view piece)>;

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

  // The text written since construction or the last Clear.
  std::string_view Text() const {
    return std::string_view(text_.data(), static_cast<size_t>(cursor_ - text_.data()));
  }
  // Starts again at the beginning of the same buffer.
  void Clear() { cursor_ = text_.data(); }
  // The text written; the builder is spent afterwards.
  std::string Finish() {
    text_.resize(Text().size());
    return std::move(text_);
  }

 private:
  std::string text_;
  char* cursor_;
};

// Appends each item's text with appendItem, handing the text to the sink
// and starting again each time `batch` items are in it, so that a long
// text never lies in memory whole. The last, partial batch stays in the
// builder. False when the sink stopped the text.
template <typename Items, typename AppendItem>
bool StreamItems(const Items& items, size_t batch, CTextBuilder& text,
                 AppendItem appendItem, const TextSink& sink) {
  size_t inBatch = 0;
  for (const auto& item : items) {
    appendItem(text, item);
    if (++inBatch < batch) continue;
    if (!sink(text.Text())) return false;
    text.Clear();
    inBatch = 0;
  }
  return true;
}
