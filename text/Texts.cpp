#include "text/Texts.h"

std::string Fill(std::string_view text, std::initializer_list<std::string_view> values) {
  std::string filled;
  filled.reserve(text.size());
  for (size_t at = 0; at < text.size(); ++at) {
    size_t index = at + 1 < text.size() && text[at] == '%' ? text[at + 1] - '1' : values.size();
    if (index < values.size()) {
      filled += values.begin()[index];
      ++at;
    } else {
      filled += text[at];
    }
  }
  return filled;
}
