#include "platform/Cp932_posix.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/OriginMark.h"

namespace platform::posix {

namespace {

constexpr char kCp932[] = "CP932";
constexpr char kUtf8[] = "UTF-8";

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

bool IsCp932Pair(unsigned char lead, unsigned char trail) {
  bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
  return isLead && trail >= 0x40 && trail <= 0xFC && trail != 0x7F;
}

size_t Utf8Length(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

// The length of the character that starts the text, in the encoding the
// conversion reads: a lead byte and its trail in CP932, the sequence its
// first byte announces in UTF-8, one byte elsewhere.
using CharLength = size_t (*)(std::string_view rest);

size_t Utf8CharLength(std::string_view rest) {
  size_t length = Utf8Length(static_cast<unsigned char>(rest[0]));
  size_t at = 1;
  while (at < length && at < rest.size() && (static_cast<unsigned char>(rest[at]) & 0xC0) == 0x80) {
    ++at;
  }
  return at;
}

size_t SingleByte(std::string_view) { return 1; }

// Owns a conversion descriptor.
class CConverter {
 public:
  CConverter(const std::string& to, const std::string& from)
      : handle_(::iconv_open(to.c_str(), from.c_str())) {}
  ~CConverter() {
    if (IsValid()) ::iconv_close(handle_);
  }
  CConverter(const CConverter&) = delete;
  CConverter& operator=(const CConverter&) = delete;
  bool IsValid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // Converts the whole text; at a character it cannot convert, appends
  // the replacement and goes on after that character, or (with no
  // replacement) stops and answers false.
  bool Convert(std::string_view text, std::string& out, const char* replacement,
               CharLength charLength) {
    if (!IsValid() || text.size() > (SIZE_MAX - 8) / 4) return false;
    ::iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    std::string in(text);
    char* inPointer = in.data();
    size_t inLeft = in.size();
    // No character of these encodings grows beyond four bytes per byte.
    std::string converted(in.size() * 4 + 8, '\0');
    char* outPointer = converted.data();
    size_t outLeft = converted.size();
    while (inLeft > 0 && ::iconv(handle_, &inPointer, &inLeft, &outPointer, &outLeft) ==
                             static_cast<size_t>(-1)) {
      if (errno == E2BIG || replacement == nullptr) return false;
      size_t skip = charLength(std::string_view(inPointer, inLeft));
      size_t put = std::strlen(replacement);
      if (put > outLeft) return false;
      std::memcpy(outPointer, replacement, put);
      outPointer += put;
      outLeft -= put;
      inPointer += skip;
      inLeft -= skip;
    }
    // A sequence the input left unfinished has been taken in full; end any
    // shift state the output is in.
    if (::iconv(handle_, nullptr, nullptr, &outPointer, &outLeft) == static_cast<size_t>(-1)) {
      return false;
    }
    out.append(converted.data(), converted.size() - outLeft);
    return true;
  }

 private:
  iconv_t handle_;
};

}  // namespace

size_t Cp932CharLength(std::string_view rest) {
  return rest.size() >= 2 && IsCp932Pair(static_cast<unsigned char>(rest[0]),
                                         static_cast<unsigned char>(rest[1]))
             ? 2
             : 1;
}

namespace {

CharLength SystemCharLength() { return SystemCharset() == kUtf8 ? Utf8CharLength : SingleByte; }

}  // namespace

std::string SystemCharset() {
  const char* locale = ::setlocale(LC_CTYPE, nullptr);
  if (locale == nullptr || std::strcmp(locale, "C") == 0 || std::strcmp(locale, "POSIX") == 0) {
    return kUtf8;
  }
  const char* codeset = ::nl_langinfo(CODESET);
  if (codeset == nullptr || *codeset == '\0' || std::strcmp(codeset, "ANSI_X3.4-1968") == 0) {
    return kUtf8;
  }
  return codeset;
}

bool ToSystemName(std::string_view cp932, std::string& name) {
  name.clear();
  if (IsAscii(cp932)) {
    name.assign(cp932);
    return true;
  }
  CConverter converter(SystemCharset(), kCp932);
  return converter.Convert(cp932, name, nullptr, Cp932CharLength);
}

bool ToCp932Name(std::string_view name, std::string& cp932) {
  cp932.clear();
  if (IsAscii(name)) {
    cp932.assign(name);
    return true;
  }
  CConverter converter(kCp932, SystemCharset());
  return converter.Convert(name, cp932, nullptr, SystemCharLength());
}

std::string ToSystemShown(std::string_view cp932) {
  std::string shown;
  CConverter converter(SystemCharset(), kCp932);
  if (!converter.Convert(cp932, shown, "?", Cp932CharLength)) return std::string(cp932.size(), '?');
  return shown;
}

std::string ToCp932Shown(std::string_view name) {
  if (IsAscii(name)) return std::string(name);
  std::string cp932;
  CConverter converter(kCp932, SystemCharset());
  if (!converter.Convert(name, cp932, "?", SystemCharLength()))
    return std::string(name.size(), '?');
  return cp932;
}

}  // namespace platform::posix

namespace platform {

bool Cp932OfCharacter(char32_t character, std::string& cp932) {
  static thread_local posix::CConverter converter(posix::kCp932, "UTF-32LE");
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>(character >> shift);
  cp932.clear();
  return converter.Convert(bytes, cp932, nullptr, posix::SingleByte);
}

}  // namespace platform
