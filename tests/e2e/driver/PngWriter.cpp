#include "PngWriter.h"

#include <array>

namespace drive {

namespace {

constexpr size_t kStoredBlockMax = 65535;

std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

uint32_t Crc(const std::string& bytes) {
  static const std::array<uint32_t, 256> table = MakeCrcTable();
  uint32_t c = 0xFFFFFFFFu;
  for (unsigned char b : bytes) c = table[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

uint32_t Adler(const std::string& bytes) {
  uint32_t a = 1;
  uint32_t b = 0;
  for (unsigned char c : bytes) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void PutBig32(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
  PutBig32(out, static_cast<uint32_t>(data.size()));
  std::string body = std::string(type, 4) + data;
  out += body;
  PutBig32(out, Crc(body));
}

std::string Deflated(const std::string& raw) {
  std::string out = "\x78\x01";
  size_t at = 0;
  do {
    size_t count = raw.size() - at < kStoredBlockMax ? raw.size() - at : kStoredBlockMax;
    bool last = at + count == raw.size();
    out += static_cast<char>(last ? 1 : 0);
    out += static_cast<char>(count & 0xFF);
    out += static_cast<char>(count >> 8);
    out += static_cast<char>(~count & 0xFF);
    out += static_cast<char>((~count >> 8) & 0xFF);
    out.append(raw, at, count);
    at += count;
  } while (at < raw.size());
  PutBig32(out, Adler(raw));
  return out;
}

}  // namespace

std::string EncodePng(uint32_t width, uint32_t height, const std::vector<uint8_t>& rgb) {
  std::string raw;
  raw.reserve((size_t{width} * 3 + 1) * height);
  for (uint32_t row = 0; row < height; ++row) {
    raw += '\0';  // filter type: none
    raw.append(reinterpret_cast<const char*>(rgb.data()) + size_t{row} * width * 3,
               size_t{width} * 3);
  }
  std::string header;
  PutBig32(header, width);
  PutBig32(header, height);
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, no interlace
  std::string png = "\x89PNG\r\n\x1a\n";
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", Deflated(raw));
  PutChunk(png, "IEND", "");
  return png;
}

}  // namespace drive
