// Fuzz target: the text helpers a script's units pass through (Unquote,
// ParseDialogSpec, SplitKeyPath and the hexadecimal conversions), each
// checked against an independent statement of what it must return.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "language/Vocabulary.h"
#include "statements/DialogTarget.h"
#include "statements/KeyPath.h"
#include "text/HexString.h"

namespace {

[[noreturn]] void Die(const char* what) {
  std::fprintf(stderr, "text helper invariant broken: %s\n", what);
  std::abort();
}

// The decoding as the language describes it: drop the quotes, then find
// each backslash in turn and replace the escape in place; a byte produced
// by a replacement is never looked at again.
std::optional<std::string> ReferenceUnquote(std::string text) {
  if (text.size() < 2 || text.front() != '"' || text.back() != '"') return std::nullopt;
  text = text.substr(1, text.size() - 2);
  size_t scan = 0;
  for (;;) {
    size_t at = text.find('\\', scan);
    if (at == std::string::npos || at + 1 == text.size()) return text;
    char next = text[at + 1];
    if (next == '\\') {
      text.erase(at, 1);
    } else if (next == 's' || next == 't') {
      text.replace(at, 2, 1, next == 's' ? ' ' : '\t');
    }
    scan = at + 1;
  }
}

// What a writer puts between the quotes so that Unquote gives text back.
std::string Escape(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '\\':
        escaped += "\\\\";
        break;
      case ' ':
        escaped += "\\s";
        break;
      case '\t':
        escaped += "\\t";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

void CheckUnquote(const std::string& text) {
  std::string decoded = text;
  const bool quoted = Unquote(decoded);
  const std::optional<std::string> expected = ReferenceUnquote(text);
  if (quoted != expected.has_value()) Die("Unquote misjudged a quoted unit");
  if (!quoted && decoded != text) Die("Unquote changed a unit it refused");
  if (quoted && decoded != *expected) Die("Unquote decoded differently from the language");
  std::string roundTrip = "\"" + Escape(text) + "\"";
  if (!Unquote(roundTrip) || roundTrip != text) Die("Unquote did not undo the escapes");
}

void CheckDialogSpec(const std::string& unit) {
  std::vector<std::string> fields;
  const bool parsed = ParseDialogSpec(unit, fields);
  std::string text = unit;
  const bool quoted = Unquote(text);
  const auto bars = std::count(text.begin(), text.end(), '|');
  const bool valid = quoted && !text.empty() && text.back() == '|' && bars >= 4 && bars % 2 == 0;
  if (parsed != valid) Die("ParseDialogSpec misjudged a dialog description");
  if (!parsed) return;
  if (fields.size() != 3) Die("ParseDialogSpec gave other than three fields");
  const size_t second = text.find('|', text.find('|') + 1);
  std::replace(text.begin() + static_cast<std::ptrdiff_t>(second) + 1, text.end(), '|', '\0');
  if (fields[0] + "|" + fields[1] + "|" + fields[2] != text) Die("ParseDialogSpec lost bytes");
  if (fields[0].find('|') != std::string::npos || fields[1].find('|') != std::string::npos) {
    Die("a bar inside the title or the file name");
  }
}

// The offsets of the backslashes that are characters of their own in
// code page 932 text: a lead byte (0x81-0x9F, 0xE0-0xFC) takes the next
// byte with it, and that byte may be 0x5C.
std::vector<size_t> CharacterBackslashes(const std::string& text) {
  std::vector<size_t> found;
  for (size_t at = 0; at < text.size(); ++at) {
    const auto c = static_cast<unsigned char>(text[at]);
    if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
      ++at;
    } else if (c == '\\') {
      found.push_back(at);
    }
  }
  return found;
}

void CheckKeyPath(const std::string& path) {
  platform::RegistryKey root = 0;
  std::string subkey;
  std::string valueName;
  const bool split = SplitKeyPath(path, root, subkey, valueName);
  const std::vector<size_t> backslashes = CharacterBackslashes(path);
  const RootKey* known = nullptr;
  for (const RootKey& entry : RootKeyTable) {
    if (!backslashes.empty() && path.compare(0, backslashes.front(), entry.name) == 0 &&
        entry.name.size() == backslashes.front()) {
      known = &entry;
    }
  }
  if (split != (known != nullptr)) Die("SplitKeyPath misjudged a root");
  if (!split) return;
  if (root != known->handle) Die("SplitKeyPath gave the wrong root");
  // The root ends at the first backslash, the value name begins after the
  // last one, and the subkey is what lies between.
  const size_t first = backslashes.front();
  const size_t last = backslashes.back();
  if (valueName != path.substr(last + 1)) Die("SplitKeyPath gave the wrong value name");
  const std::string between = last > first ? path.substr(first + 1, last - first - 1) : "";
  if (subkey != between) Die("SplitKeyPath gave the wrong subkey");
}

// Formatted hexadecimal extraction into 32 bits, as the standard streams
// do it; nothing when no number of at most `max` is read.
std::optional<uint32_t> StreamHex(const std::string& text, uint32_t max) {
  std::istringstream in(text);
  uint32_t value = 0;
  in >> std::hex >> value;
  if (in.fail() || value > max) return std::nullopt;
  return value;
}

template <typename T>
std::optional<uint32_t> Convert(const std::string& text) {
  try {
    return static_cast<uint32_t>(HexString::ToValue<T>(text));
  } catch (const HexString::CHexStringException&) {
    return std::nullopt;
  }
}

void CheckHex(const std::string& text) {
  const bool digitsOnly = std::all_of(text.begin(), text.end(), [](char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
  });
  if (HexString::IsHexString(text) != digitsOnly) Die("IsHexString misjudged a text");
  const auto word = Convert<unsigned int>(text);
  if (word != Convert<unsigned long>(text)) Die("the two 32-bit conversions disagree");
  // A sign is read by the streams but never reaches a conversion.
  if (text.find_first_of("+-") != std::string::npos) return;
  if (word != StreamHex(text, 0xFFFFFFFFu)) Die("32-bit conversion differs from the streams");
  if (Convert<unsigned char>(text) != StreamHex(text, 0xFFu)) {
    Die("byte conversion differs from the streams");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CheckUnquote(text);
  CheckDialogSpec(text);
  CheckKeyPath(text);
  CheckHex(text);
  return 0;
}
