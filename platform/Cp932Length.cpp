#include "platform/Cp932_posix.h"

namespace platform::posix {

namespace {

bool IsCp932Pair(unsigned char lead, unsigned char trail) {
  bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
  return isLead && trail >= 0x40 && trail <= 0xFC && trail != 0x7F;
}

}  // namespace

size_t Cp932CharLength(std::string_view rest) {
  return rest.size() >= 2 && IsCp932Pair(static_cast<unsigned char>(rest[0]),
                                         static_cast<unsigned char>(rest[1]))
             ? 2
             : 1;
}

}  // namespace platform::posix
