#include <unistd.h>

#include <cstring>
#include <vector>

#include "platform/Cp932_posix.h"
#include "platform/Process.h"

namespace platform {

// A folder whose name has no CP932 form cannot be given.
uint32_t GetCurrentFolder(uint32_t size, char* buffer) {
  std::vector<char> folder(kFolderBufferSize);
  std::string cp932;
  if (buffer == nullptr || ::getcwd(folder.data(), folder.size()) == nullptr ||
      !posix::ToCp932Name(folder.data(), cp932) || cp932.size() + 1 > size) {
    return 0;
  }
  std::memcpy(buffer, cp932.c_str(), cp932.size() + 1);
  return static_cast<uint32_t>(cp932.size());
}

}  // namespace platform
