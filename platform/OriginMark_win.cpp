#include "platform/OriginMark.h"

namespace platform {

bool ReadOriginMark(const std::string& path, OriginMark& mark) {
  return ReadZoneIdentifier(path, mark);
}

}  // namespace platform
