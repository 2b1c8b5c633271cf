// Where a file came from, as the system marked it when it was downloaded:
// on Windows its Zone.Identifier stream (the Mark of the Web); on Linux
// the extended attribute user.xdg.origin.url that browsers set, or a
// "name:Zone.Identifier" file beside it, as copies from Windows leave.
#pragma once

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

// The mark of the file at path; false when it has none (or an unreadable one).
bool ReadOriginMark(const std::string& path, OriginMark& mark);

// Reads the "path:Zone.Identifier" stream (on Linux a file of that name);
// false when there is none, or it names no zone.
bool ReadZoneIdentifier(const std::string& path, OriginMark& mark);

// Reads the text of a Zone.Identifier stream ("[ZoneTransfer]", then
// "ZoneId=3", "HostUrl=...", "ReferrerUrl=..."); false when it names no
// zone from 0 to 4. A zone beyond 4 counts as restricted, as Windows
// treats an unknown zone.
bool ParseZoneIdentifier(std::string_view text, OriginMark& mark);

}  // namespace platform
