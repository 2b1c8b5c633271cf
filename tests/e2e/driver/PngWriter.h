// A minimal PNG encoder: 8-bit RGB, no filtering, stored (uncompressed)
// deflate blocks. Enough for screenshots that people look at.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace drive {

// rgb holds width * height * 3 bytes, rows top to bottom.
std::string EncodePng(uint32_t width, uint32_t height, const std::vector<uint8_t>& rgb);

}  // namespace drive
