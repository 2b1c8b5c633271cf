#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

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

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Appends ASCII text with CR LF and a lone CR turned into LF, without a
// branch per byte: a listing of millions of short lines passes here.
void AppendAscii(std::string_view text, std::string& out) {
  size_t start = out.size();
  out.resize(start + text.size());
  char* to = out.data() + start;
  for (size_t at = 0; at < text.size(); ++at) {
    char c = text[at];
    // A CR before LF becomes the LF that the next byte writes again.
    bool crBeforeLf = c == '\r' && at + 1 < text.size() && text[at + 1] == '\n';
    *to = c == '\r' ? '\n' : c;
    to += crBeforeLf ? 0 : 1;
  }
  out.resize(static_cast<size_t>(to - out.data()));
}

// The end of the run of ASCII bytes from at, eight bytes at a time.
size_t AsciiRunEnd(std::string_view text, size_t at) {
  constexpr uint64_t kHighBits = 0x8080808080808080ull;
  while (at + sizeof(uint64_t) <= text.size()) {
    uint64_t word;
    std::memcpy(&word, text.data() + at, sizeof word);
    if ((word & kHighBits) != 0) break;
    at += sizeof word;
  }
  while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80) ++at;
  return at;
}

// Appends a run of double-byte and half-width characters in UTF-8; a byte
// that is no CP932 character becomes "?".
void AppendConverted(std::string_view text, iconv_t converter, std::string& out) {
  std::string in(text);
  // A CP932 character of one or two bytes needs at most three in UTF-8.
  std::string converted(in.size() * 3 + 4, '\0');
  char* inPointer = in.data();
  size_t inLeft = in.size();
  char* outPointer = converted.data();
  size_t outLeft = converted.size();
  while (inLeft > 0 && ::iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) ==
                           static_cast<size_t>(-1)) {
    if (errno == E2BIG || outLeft == 0) break;  // cannot happen with the size above
    *outPointer++ = '?';                        // EILSEQ or EINVAL: skip one byte
    --outLeft;
    ++inPointer;
    --inLeft;
  }
  out.append(converted.data(), converted.size() - outLeft);
}

}  // namespace

std::string ToTerminalText(std::string_view cp932) {
  CConverter converter;
  std::string out;
  out.reserve(cp932.size() + cp932.size() / 8);
  size_t at = 0;
  while (at < cp932.size()) {
    // An ASCII run ends at a byte of 0x80 or above; a run of other
    // characters ends at an ASCII byte that is no trail byte.
    size_t end = AsciiRunEnd(cp932, at);
    AppendAscii(cp932.substr(at, end - at), out);
    at = end;
    while (end < cp932.size() && static_cast<unsigned char>(cp932[end]) >= 0x80) {
      end += IsLeadByte(static_cast<unsigned char>(cp932[end])) ? 2 : 1;
    }
    end = end < cp932.size() ? end : cp932.size();
    if (end == at) continue;
    if (converter.IsValid()) {
      AppendConverted(cp932.substr(at, end - at), converter.Get(), out);
    } else {
      out.append(cp932.substr(at, end - at));
    }
    at = end;
  }
  return out;
}
