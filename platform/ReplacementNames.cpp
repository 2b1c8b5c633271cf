#include "platform/ReplacementNames.h"

namespace platform {

namespace {

constexpr std::string_view kMark = "\xE2\x81\x82";  // U+2042, in UTF-8
constexpr char kBackup = '~';

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string ReplacementName(std::string_view name, uint32_t process, int attempt) {
  std::string replacement(1, '.');
  replacement.append(name).append(kMark).append(std::to_string(process));
  replacement.append(1, '-').append(std::to_string(attempt));
  return replacement;
}

std::string BackupName(std::string_view name, uint32_t process, int attempt) {
  return ReplacementName(name, process, attempt) + kBackup;
}

uint32_t ProcessOfLeftover(std::string_view entry, std::string_view name) {
  const size_t prefix = 1 + name.size() + kMark.size();
  if (entry.size() <= prefix || entry[0] != '.' || entry.substr(1, name.size()) != name ||
      entry.substr(1 + name.size(), kMark.size()) != kMark) {
    return 0;
  }
  std::string_view rest = entry.substr(prefix);
  if (rest.back() == kBackup) rest.remove_suffix(1);
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

}  // namespace platform
