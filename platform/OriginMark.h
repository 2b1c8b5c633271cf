// Where a file came from, as the system marked it when it was downloaded:
// on Windows its Zone.Identifier stream (the Mark of the Web) and the zone
// the system gives its full path; on Linux the extended attribute
// user.xdg.origin.url that wget, curl --xattr and WebKitGTK browsers set,
// Samba's copy of the stream (user.DosStream.Zone.Identifier:$DATA), or a
// "name:Zone.Identifier" file beside it, as copies from Windows leave.
// Every mark is read at least as strictly as Windows reads it: a mark that
// is there but cannot be read, is too large or names no zone counts as the
// Internet zone, never as no mark.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The security zones of Windows.
enum class Zone {
  kLocalMachine = 0,
  kIntranet = 1,
  kTrusted = 2,
  kInternet = 3,
  kRestricted = 4,
};

struct OriginMark {
  Zone zone;
  std::string url;  // where it came from, when the mark says (CP932, for messages)
};

// The mark of the file at path, the highest zone of every mark it has;
// false when it has none.
bool ReadOriginMark(const std::string& path, OriginMark& mark);

// Reads the "path:Zone.Identifier" stream (on Linux a file of that name);
// false when there is none.
bool ReadZoneIdentifier(const std::string& path, OriginMark& mark);

// Reads the content of a Zone.Identifier stream as Windows reads it
// (GetPrivateProfileInt on ZoneId in [ZoneTransfer], in ANSI, UTF-8 with
// its BOM or UTF-16 with its BOM): the value's leading number, keys and
// sections in any case; a NUL ends a line. The highest ZoneId of the
// section counts; one beyond 4 (or below 0) is restricted, as Windows
// treats an unknown zone; a mark that names no zone is the Internet's.
// The URL is HostUrl's, else ReferrerUrl's.
OriginMark ParseZoneIdentifier(std::string_view content);

// The mark of the higher zone; of two of one zone the first, unless only
// the other tells where the file came from.
OriginMark HigherMark(const OriginMark& one, const OriginMark& other);

// A zone the system answers as a number: beyond 4 or below 0 restricted.
Zone ZoneOfNumber(long long number);

// What the Windows mark is made of: the stream, and the zone the system
// gives the file's full path (MapUrlToZone, which also knows UNC and
// WebDAV paths and names with trailing dots).
struct ZoneCalls {
  std::function<bool(OriginMark&)> readStream;           // false: no stream
  std::function<std::optional<long long>()> systemZone;  // nothing: the call failed
};

// The higher of the stream's zone and the system's; false when there is
// no stream and the system gives this computer's zone (or did not answer).
bool DecideOriginMark(const ZoneCalls& calls, OriginMark& mark);

// Unicode text in CP932 for messages: a character CP932 lacks is written
// \uXXXX (\UXXXXXXXX beyond 16 bits), as a control byte is shown \xNN.
std::string Cp932Escaped(std::u32string_view characters);
// The CP932 form of one character, by the system's converter; false when
// CP932 has none.
bool Cp932OfCharacter(char32_t character, std::string& cp932);
// UTF-8 text (a URL) the same way; a byte that begins no character is
// U+FFFD.
std::string Cp932OfUtf8(std::string_view utf8);

}  // namespace platform
