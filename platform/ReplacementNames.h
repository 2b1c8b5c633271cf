// The names of the hidden new files that replace a file, in UTF-8: "." and
// the file's name, "\u2042" (which has no CP932 form, so no script, dialog
// or command line can name them), the process that made it, "-" and a
// number; a backup of the old file adds "~".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

std::string ReplacementName(std::string_view name, uint32_t process, int attempt);
std::string BackupName(std::string_view name, uint32_t process, int attempt);

// The process that made entry, a new file or a backup for the file called
// name; 0 when entry is neither.
uint32_t ProcessOfLeftover(std::string_view entry, std::string_view name);

}  // namespace platform
