// The browser's side of the CP932 conversions: its names are UTF-8 (the
// page's Unicode, as emscripten's file system takes it), and the tables
// are those of glibc's iconv on the build machine, generated at build
// time (cmake/cp932-table.py), so a name converts exactly as qpx on Linux
// converts it.
#include <algorithm>
#include <cstdint>
#include <iterator>

#include "platform/Cp932_posix.h"

namespace platform::posix {

namespace {

struct Cp932Form {
  uint16_t codePoint;
  uint16_t bytes;  // big-endian: the lead byte high
  uint8_t count;
};

#include "Cp932Table.inc"

constexpr uint32_t kNone = 0;

// The code point of the CP932 character at the start of rest and its
// length (Cp932CharLength); kNone when it is no character.
uint32_t DecodeCp932(std::string_view rest, size_t& length) {
  length = Cp932CharLength(rest);
  auto lead = static_cast<unsigned char>(rest[0]);
  if (length == 1) return lead == 0 ? 0 : (kSingleByte[lead] != 0 ? kSingleByte[lead] : kNone);
  const unsigned char* row = std::find(std::begin(kLeadBytes), std::end(kLeadBytes), lead);
  if (row == std::end(kLeadBytes)) return kNone;
  auto trail = static_cast<unsigned char>(rest[1]);
  return kPairs[row - std::begin(kLeadBytes)][trail - 0x40];
}

// The code point of the UTF-8 sequence at the start of rest and its
// length; kNone (with the length of what is skipped) when it is invalid.
uint32_t DecodeUtf8(std::string_view rest, size_t& length) {
  auto lead = static_cast<unsigned char>(rest[0]);
  length = 1;
  if (lead < 0x80) return lead;
  size_t need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (need == 0 || lead > 0xF4) return kNone;
  uint32_t point = lead & (0x7F >> need);
  for (; length < need; ++length) {
    if (length >= rest.size()) return kNone;
    auto next = static_cast<unsigned char>(rest[length]);
    if ((next & 0xC0) != 0x80) return kNone;
    point = (point << 6) | (next & 0x3F);
  }
  bool overlong = (need == 3 && point < 0x800) || (need == 4 && point < 0x10000);
  bool outside = point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF);
  return overlong || outside ? kNone : point;
}

void AppendUtf8(uint32_t point, std::string& out) {
  if (point < 0x80) {
    out += static_cast<char>(point);
  } else if (point < 0x800) {
    out += static_cast<char>(0xC0 | (point >> 6));
    out += static_cast<char>(0x80 | (point & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (point >> 12));
    out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (point & 0x3F));
  }
}

// Appends the CP932 form of the code point; false when it has none.
bool AppendCp932(uint32_t point, std::string& out) {
  if (point < 0x80) {
    out += static_cast<char>(point);
    return true;
  }
  const Cp932Form* form =
      std::lower_bound(std::begin(kForms), std::end(kForms), point,
                       [](const Cp932Form& entry, uint32_t key) { return entry.codePoint < key; });
  if (form == std::end(kForms) || form->codePoint != point) return false;
  if (form->count == 2) out += static_cast<char>(form->bytes >> 8);
  out += static_cast<char>(form->bytes & 0xFF);
  return true;
}

// Converts CP932 to UTF-8; a character that is none becomes replacement,
// or (with none) fails the conversion.
bool FromCp932(std::string_view cp932, std::string& out, const char* replacement) {
  for (size_t at = 0, length = 0; at < cp932.size(); at += length) {
    uint32_t point = DecodeCp932(cp932.substr(at), length);
    if (point != kNone || cp932[at] == '\0') {
      AppendUtf8(point, out);
    } else if (replacement != nullptr) {
      out += replacement;
    } else {
      return false;
    }
  }
  return true;
}

// Converts UTF-8 to CP932, as FromCp932 does the other way.
bool ToCp932(std::string_view utf8, std::string& out, const char* replacement) {
  for (size_t at = 0, length = 0; at < utf8.size(); at += length) {
    uint32_t point = DecodeUtf8(utf8.substr(at), length);
    bool valid = point != kNone || utf8[at] == '\0';
    if (valid && AppendCp932(point, out)) continue;
    if (replacement == nullptr) return false;
    out += replacement;
  }
  return true;
}

}  // namespace

std::string SystemCharset() { return "UTF-8"; }

bool ToSystemName(std::string_view cp932, std::string& name) {
  name.clear();
  return FromCp932(cp932, name, nullptr);
}

bool ToCp932Name(std::string_view name, std::string& cp932) {
  cp932.clear();
  return ToCp932(name, cp932, nullptr);
}

std::string ToCp932Shown(std::string_view name) {
  std::string cp932;
  ToCp932(name, cp932, "?");
  return cp932;
}

std::string ToSystemShown(std::string_view cp932) {
  std::string shown;
  FromCp932(cp932, shown, "?");
  return shown;
}

}  // namespace platform::posix
