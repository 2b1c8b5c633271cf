// Text for a person at a Linux terminal: CP932 in the locale's encoding,
// with LF line ends.
#include <cstdint>
#include <cstring>

#include "platform/Console.h"
#include "platform/Cp932_posix.h"

namespace platform {

namespace {

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

}  // namespace

std::string ToTerminalText(std::string_view cp932) {
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
      end += posix::Cp932CharLength(cp932.substr(end));
    }
    if (end == at) continue;
    out += posix::ToSystemShown(cp932.substr(at, end - at));
    at = end;
  }
  return out;
}

}  // namespace platform
