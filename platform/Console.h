// What a console program asks of its system: its standard streams, the
// user's language, and whether there is a registry to write to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/CommandLine.h"

namespace platform {

enum class StdStream { kInput, kOutput, kError };

// True when the stream is a terminal (a console window on Windows).
bool IsTerminal(StdStream stream);
// Writes every byte unchanged, with no line-end translation; false when
// the stream refuses them.
bool WriteStd(StdStream stream, const void* data, size_t size);
// Writes CP932 text for a person: on Linux in the locale's encoding with
// LF line ends (ToTerminalText); on Windows to a console as UTF-16 where
// the system's code page is not 932; otherwise the bytes unchanged.
bool WriteStdText(StdStream stream, std::string_view cp932);
// On Linux, CP932 text in the locale's encoding with LF line ends: a byte
// that is no CP932 character, or a character the encoding lacks, becomes
// "?". On Windows the text unchanged.
std::string ToTerminalText(std::string_view cp932);
// Reads one line of standard input without its line end, converted as a
// command-line argument is; false at the end of the input.
bool ReadStdLine(CommandArgument& line);
// Discards what was typed on the terminal of standard input and not read
// yet (tcflush, FlushConsoleInputBuffer), so that a question is answered
// only by what is typed after it appears.
void DiscardTypedInput();
// Reads standard input to its end, every byte unchanged (a script piped
// in); false when it cannot be read.
bool ReadStdAll(std::string& bytes);
// The width of the terminal behind the stream in columns, or 80.
int TerminalColumns(StdStream stream);

// The languages a console program speaks to a person in.
enum class Language { kEnglish, kJapanese };

// The user's language: on Linux the locale's, chosen as gettext chooses
// (LanguageOfLocale on LC_ALL, LC_MESSAGES, LANG and LANGUAGE); on Windows
// the user's UI language (GetUserDefaultUILanguage).
Language UserLanguage();
// The language gettext would show for these variables (an unset one is
// empty): the locale is the first of LC_ALL, LC_MESSAGES and LANG that is
// set; unless that is the C or POSIX locale (where nothing is translated),
// a LANGUAGE list replaces it: its first Japanese or English entry decides,
// entries of other languages are skipped (they have no texts here), and a
// list with neither gives English. Japanese for "ja" and "ja_JP..." names,
// English for any other.
Language LanguageOfLocale(std::string_view lcAll, std::string_view lcMessages,
                          std::string_view lang, std::string_view languageList);
// The language of a Windows language identifier: Japanese for every
// LANG_JAPANESE one, English for any other.
Language LanguageOfUiLanguage(uint16_t langId);

}  // namespace platform
