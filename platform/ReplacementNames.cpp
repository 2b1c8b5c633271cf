#include "platform/ReplacementNames.h"

namespace platform {

namespace {

constexpr std::string_view kPrefix = ".qpx-";
constexpr std::string_view kEarlierMark = "\xE2\x81\x82";  // U+2042, in UTF-8
constexpr char kBackup = '~';

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// FNV-1a: a check of the name, the same on every system.
uint32_t NameCheck(std::string_view name) {
  uint32_t check = 2166136261u;
  for (char c : name) check = (check ^ static_cast<unsigned char>(c)) * 16777619u;
  return check;
}

void AppendHex(std::string& text, uint32_t value) {
  static constexpr char kDigits[] = "0123456789abcdef";
  for (int shift = 28; shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 0xF];
}

// The value of the hex digits of text, all 8 of them; -1 when they are not.
int64_t HexValue(std::string_view text) {
  if (text.size() != 8) return -1;
  int64_t value = 0;
  for (char c : text) {
    int digit = IsDigit(c) ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

// ".qpx-CCCCCCCC-PPPPPPPP-NN", the check that of name.
uint32_t ProcessOfNamed(std::string_view rest, std::string_view name) {
  if (rest.size() != kReplacementNameLength || !rest.starts_with(kPrefix) || rest[13] != '-' ||
      rest[22] != '-' || !IsDigit(rest[23]) || !IsDigit(rest[24]) ||
      HexValue(rest.substr(5, 8)) != NameCheck(name)) {
    return 0;
  }
  int64_t process = HexValue(rest.substr(14, 8));
  return process > 0 ? static_cast<uint32_t>(process) : 0;
}

// "." name "\u2042" process "-" number, as earlier versions named them.
uint32_t ProcessOfEarlierNamed(std::string_view entry, std::string_view name) {
  const size_t prefix = 1 + name.size() + kEarlierMark.size();
  if (entry.size() <= prefix || entry[0] != '.' || entry.substr(1, name.size()) != name ||
      entry.substr(1 + name.size(), kEarlierMark.size()) != kEarlierMark) {
    return 0;
  }
  std::string_view rest = entry.substr(prefix);
  size_t dash = rest.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash + 1 == rest.size() || dash > 10) {
    return 0;
  }
  uint64_t process = 0;
  for (size_t at = 0; at < rest.size(); ++at) {
    if (at == dash) continue;
    if (!IsDigit(rest[at])) return 0;
    if (at < dash) process = process * 10 + static_cast<uint64_t>(rest[at] - '0');
  }
  return process <= UINT32_MAX ? static_cast<uint32_t>(process) : 0;
}

}  // namespace

std::string ReplacementName(std::string_view name, uint32_t process, int attempt) {
  attempt = attempt < 0 ? 0 : attempt % kReplacementAttempts;
  std::string replacement(kPrefix);
  AppendHex(replacement, NameCheck(name));
  replacement += '-';
  AppendHex(replacement, process);
  replacement += '-';
  replacement += static_cast<char>('0' + attempt / 10);
  replacement += static_cast<char>('0' + attempt % 10);
  return replacement;
}

std::string BackupName(std::string_view name, uint32_t process, int attempt) {
  return ReplacementName(name, process, attempt) + kBackup;
}

uint32_t ProcessOfLeftover(std::string_view entry, std::string_view name) {
  if (IsBackupName(entry)) entry.remove_suffix(1);
  uint32_t process = ProcessOfNamed(entry, name);
  return process != 0 ? process : ProcessOfEarlierNamed(entry, name);
}

bool IsBackupName(std::string_view entry) { return !entry.empty() && entry.back() == kBackup; }

}  // namespace platform
