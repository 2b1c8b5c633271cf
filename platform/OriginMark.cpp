#include "platform/OriginMark.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "platform/Files.h"

namespace platform {

namespace {

// A mark is read up to this length; a longer one is at least the
// Internet's.
constexpr size_t kLongestMark = 64 * 1024;
constexpr char32_t kReplacement = 0xFFFD;

// The blanks an initialization file trims: white space and ^Z.
bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) || c == '\x1A'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameWord(std::string_view one, std::string_view other) {
  return std::equal(one.begin(), one.end(), other.begin(), other.end(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

std::u32string FromUtf16(std::string_view bytes, bool bigEndian) {
  std::u32string characters;
  auto unitAt = [&](size_t at) {
    auto first = static_cast<unsigned char>(bytes[at]);
    auto second = static_cast<unsigned char>(bytes[at + 1]);
    return static_cast<char32_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
  };
  for (size_t at = 0; at + 1 < bytes.size(); at += 2) {
    char32_t unit = unitAt(at);
    if (unit >= 0xD800 && unit < 0xDC00 && at + 3 < bytes.size()) {
      char32_t low = unitAt(at + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        characters += 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        at += 2;
        continue;
      }
    }
    characters += unit >= 0xD800 && unit < 0xE000 ? kReplacement : unit;
  }
  return characters;
}

// UTF-8 as characters; a byte that starts no valid sequence is U+FFFD.
std::u32string FromUtf8(std::string_view bytes) {
  std::u32string characters;
  for (size_t at = 0; at < bytes.size();) {
    auto lead = static_cast<unsigned char>(bytes[at]);
    size_t length = 0;  // a byte that begins no sequence
    if (lead < 0x80) {
      length = 1;
    } else if (lead >= 0xC2 && lead < 0xE0) {
      length = 2;
    } else if (lead >= 0xE0 && lead < 0xF0) {
      length = 3;
    } else if (lead >= 0xF0 && lead < 0xF5) {
      length = 4;
    }
    char32_t character = length == 1 ? lead : lead & (0x7F >> length);
    size_t got = 1;
    while (length > 1 && got < length && at + got < bytes.size() &&
           (static_cast<unsigned char>(bytes[at + got]) & 0xC0) == 0x80) {
      character = character << 6 | (static_cast<unsigned char>(bytes[at + got]) & 0x3F);
      ++got;
    }
    bool valid = length != 0 && got == length && character <= 0x10FFFF &&
                 !(character >= 0xD800 && character < 0xE000) &&
                 character >= (length == 3   ? 0x800u
                               : length == 4 ? 0x10000u
                                             : 0u);
    characters += valid ? character : kReplacement;
    at += valid ? length : 1;
  }
  return characters;
}

// The content as CP932 text, as Windows reads an initialization file:
// UTF-16 or UTF-8 after its BOM, else the system's code page.
std::string AsCp932(std::string_view content) {
  if (content.starts_with("\xFF\xFE")) return Cp932Escaped(FromUtf16(content.substr(2), false));
  if (content.starts_with("\xFE\xFF")) return Cp932Escaped(FromUtf16(content.substr(2), true));
  if (content.starts_with("\xEF\xBB\xBF")) return Cp932Escaped(FromUtf8(content.substr(3)));
  return std::string(content);
}

// The value's leading number, read as GetPrivateProfileInt reads it
// (blanks and control characters skipped, a sign, a 0x, 0o or 0b base);
// only whether it exceeds 4 matters beyond that. Nothing without a digit.
std::optional<long long> LeadingNumber(std::string_view value) {
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
    value = value.substr(1, value.size() - 2);
  }
  size_t at = 0;
  while (at < value.size() && static_cast<unsigned char>(value[at]) <= ' ') ++at;
  bool negative = at < value.size() && value[at] == '-';
  if (at < value.size() && (value[at] == '-' || value[at] == '+')) ++at;
  int base = 10;
  if (at + 1 < value.size() && value[at] == '0') {
    char prefix = static_cast<char>(std::tolower(static_cast<unsigned char>(value[at + 1])));
    base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
    if (base != 10) at += 2;
  }
  bool digits = base != 10;  // the 0 of the prefix
  long long number = 0;
  for (; at < value.size(); ++at) {
    char c = static_cast<char>(std::tolower(static_cast<unsigned char>(value[at])));
    int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                : c >= 'a' && c <= 'z'                      ? c - 'a' + 10
                                                            : base;
    if (digit >= base) break;
    digits = true;
    number = std::min<long long>(number * base + digit, INT32_MAX);
  }
  if (!digits) return std::nullopt;
  return negative ? -number : number;
}

// The zones the lines name: in a [ZoneTransfer] section, and elsewhere.
struct ZoneLines {
  std::optional<Zone> inSection;
  std::optional<Zone> elsewhere;
  std::string hostUrl;
  std::string referrerUrl;
};

void Raise(std::optional<Zone>& zone, Zone named) {
  if (!zone || *zone < named) zone = named;
}

void ReadLine(std::string_view line, bool inZoneTransfer, ZoneLines& lines) {
  size_t equals = line.find('=');
  std::string_view key = Trimmed(line.substr(0, equals));
  std::string_view value = equals == std::string_view::npos ? "" : Trimmed(line.substr(equals + 1));
  if (SameWord(key, "ZoneId")) {
    // A ZoneId that gives no number is read as the Internet's.
    std::optional<long long> number = LeadingNumber(value);
    Raise(inZoneTransfer ? lines.inSection : lines.elsewhere,
          number ? ZoneOfNumber(*number) : Zone::kInternet);
  } else if (inZoneTransfer && SameWord(key, "HostUrl") && lines.hostUrl.empty()) {
    lines.hostUrl = value;
  } else if (inZoneTransfer && SameWord(key, "ReferrerUrl") && lines.referrerUrl.empty()) {
    lines.referrerUrl = value;
  }
}

}  // namespace

Zone ZoneOfNumber(long long number) {
  return number < 0 || number > 4 ? Zone::kRestricted : static_cast<Zone>(number);
}

OriginMark HigherMark(const OriginMark& one, const OriginMark& other) {
  bool otherTells = other.zone == one.zone && one.url.empty();
  return other.zone > one.zone || otherTells ? other : one;
}

std::string Cp932Escaped(std::u32string_view characters) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  std::string one;
  for (char32_t character : characters) {
    if (character < 0x80) {
      text += static_cast<char>(character);
    } else if (Cp932OfCharacter(character, one)) {
      text += one;
    } else {
      int digits = character > 0xFFFF ? 8 : 4;
      text += digits == 8 ? "\\U" : "\\u";
      for (int digit = digits - 1; digit >= 0; --digit)
        text += kDigits[(character >> (4 * digit)) & 0xF];
    }
  }
  return text;
}

std::string Cp932OfUtf8(std::string_view utf8) { return Cp932Escaped(FromUtf8(utf8)); }

OriginMark ParseZoneIdentifier(std::string_view content) {
  const std::string text = AsCp932(content.substr(0, kLongestMark));
  ZoneLines lines;
  bool inZoneTransfer = false;
  for (std::string_view rest = text; !rest.empty();) {
    size_t end = rest.find_first_of(std::string_view("\r\n\0", 3));
    std::string_view line = Trimmed(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    size_t close = line.rfind(']');
    if (line.starts_with('[') && close != std::string_view::npos) {
      inZoneTransfer = SameWord(line.substr(1, close - 1), "ZoneTransfer");
      continue;
    }
    ReadLine(line, inZoneTransfer, lines);
  }
  OriginMark mark{Zone::kInternet, lines.hostUrl.empty() ? lines.referrerUrl : lines.hostUrl};
  if (lines.inSection) {
    mark.zone = *lines.inSection;
  } else if (lines.elsewhere) {
    mark.zone = std::max(Zone::kInternet, *lines.elsewhere);
  }
  if (content.size() > kLongestMark) mark.zone = std::max(mark.zone, Zone::kInternet);
  return mark;
}

bool ReadZoneIdentifier(const std::string& path, OriginMark& mark) {
  CAutoCloseFile stream(Open(path + ":Zone.Identifier", kOpenFileOnly));
  if (!stream.IsValid() && LastOpenFoundNoFile()) return false;
  // One that is there but cannot be read is the Internet's.
  mark = OriginMark{Zone::kInternet, ""};
  int64_t length = stream.IsValid() ? FileLength(stream.Get()) : -1;
  if (length < 0) return true;
  std::string content(std::min(static_cast<uint64_t>(length), uint64_t{kLongestMark + 1}), '\0');
  if (ReadFully(stream.Get(), content.data(), content.size())) mark = ParseZoneIdentifier(content);
  return true;
}

bool DecideOriginMark(const ZoneCalls& calls, OriginMark& mark) {
  OriginMark found{Zone::kLocalMachine, ""};
  bool marked = calls.readStream(found);
  std::optional<long long> system = calls.systemZone();
  if (system && ZoneOfNumber(*system) != Zone::kLocalMachine) {
    OriginMark systems{ZoneOfNumber(*system), ""};
    found = marked ? HigherMark(found, systems) : systems;
    marked = true;
  }
  if (marked) mark = found;
  return marked;
}

}  // namespace platform
