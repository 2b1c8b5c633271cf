#include <iconv.h>

#include <cerrno>

#include "console/Encoding.h"

namespace {

// Owns a conversion descriptor.
class CConverter {
 public:
  CConverter() : handle_(::iconv_open("UTF-8", "CP932")) {}
  ~CConverter() {
    if (IsValid()) ::iconv_close(handle_);
  }
  CConverter(const CConverter&) = delete;
  CConverter& operator=(const CConverter&) = delete;
  bool IsValid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t Get() const { return handle_; }

 private:
  iconv_t handle_;
};

// CR LF and a lone CR become LF; bytes 0x0D and 0x0A are never part of a
// double-byte character.
std::string WithLineFeeds(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\r') {
      out += text[at];
    } else if (at + 1 >= text.size() || text[at + 1] != '\n') {
      out += '\n';
    }
  }
  return out;
}

}  // namespace

std::string ToTerminalText(std::string_view cp932) {
  std::string in = WithLineFeeds(cp932);
  CConverter converter;
  if (!converter.IsValid()) return in;
  // A CP932 character of one or two bytes needs at most three in UTF-8.
  std::string out(in.size() * 3 / 2 + 4, '\0');
  char* inPointer = in.data();
  size_t inLeft = in.size();
  char* outPointer = out.data();
  size_t outLeft = out.size();
  while (inLeft > 0) {
    if (::iconv(converter.Get(), &inPointer, &inLeft, &outPointer, &outLeft) !=
        static_cast<size_t>(-1)) {
      break;
    }
    if (errno == E2BIG || outLeft == 0) break;  // cannot happen with the size above
    *outPointer++ = '?';                         // EILSEQ or EINVAL: skip one byte
    --outLeft;
    ++inPointer;
    --inLeft;
  }
  out.resize(out.size() - outLeft);
  return out;
}
