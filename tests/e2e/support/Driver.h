// Runs the Win32 test driver under Wine and collects its transcript.
#pragma once

#include <string>
#include <vector>

#include "Transcript.h"

namespace e2e {

struct DriverRun {
  int status = -1;  // exit status of the driver; -1 when it did not end by itself
  std::string output;
  Transcript transcript{""};

  // The plan was followed: status 0 and the last line "done".
  bool Followed() const;
};

// Runs `wine qpxdrive.exe WORDS...` in the tests' Wine prefix and waits for
// it (at most two minutes). Words are code page 932 byte strings, exactly as
// the Windows side is to see them. Fails the current test when no display
// is set.
DriverRun RunDriver(const std::vector<std::string>& words);

// "Z:" and the absolute Linux path with "/" turned into "\", its UTF-8 text
// turned into code page 932.
std::string WindowsPath(const std::string& linuxPath);
std::string Cp932FromUtf8(const std::string& utf8);
// A UTF-8 literal (u8"...") as a byte string, for Linux file names.
inline std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }
// The Windows path of the program under test.
std::string RunnerExe();

// The ANSI code page of this run: 932, or 1252 when QPX_E2E_CODEPAGE says
// so. The Wine prefix, its locale and the case folders follow it.
int WineCodePage();
// True when QPX_E2E_LOCALE is "none": Wine then runs with LOCPATH at an
// empty folder, without the UTF-8 locale its LC_ALL names, as on a fresh
// machine; the case folders follow it.
bool WineWithoutLocale();
// The case folders' and the locale folders' suffix for this run.
std::string RunSuffix();

// A word for a text outside code page 932: its UTF-8 bytes, marked so.
inline constexpr char kUnicodePrefix[] = "u8hex:";
std::string UnicodeWord(const std::string& utf8);
// The Windows path of a Linux path, in UTF-8.
std::string Utf8WindowsPath(const std::string& linuxPath);
// That path as a word, for a path that has no code page 932 form.
inline std::string UnicodeWindowsPath(const std::string& linuxPath) {
  return UnicodeWord(Utf8WindowsPath(linuxPath));
}

}  // namespace e2e
