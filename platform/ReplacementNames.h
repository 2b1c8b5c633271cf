// The names of the hidden new files that replace a file: ".qpx-", a check
// of the file's name, the process that made it and a number, in hex and
// decimal digits (".qpx-1a2b3c4d-00001234-07"); a backup of the old file
// adds "~". They are ASCII and of one length whatever the file's name, so
// every file system that holds the file's own name holds them too.
// Earlier versions named them "." and the file's name, "\u2042", the
// process, "-" and a number (in UTF-8); the clean-up knows those too.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The length of every new file's name (a backup's is one more).
constexpr size_t kReplacementNameLength = 25;
// The numbers a new file's name takes before a save gives up (0 to 99).
constexpr int kReplacementAttempts = 100;

std::string ReplacementName(std::string_view name, uint32_t process, int attempt);
std::string BackupName(std::string_view name, uint32_t process, int attempt);

// The process that made entry, a new file or a backup (in either form)
// for the file called name; 0 when entry is neither.
uint32_t ProcessOfLeftover(std::string_view entry, std::string_view name);

// True when entry, a leftover, is a backup of the old file.
bool IsBackupName(std::string_view entry);

}  // namespace platform
