// Makes the benchmark's input files, the same bytes on every machine: each
// file comes from a fixed generator state, so a rerun can reuse files whose
// checksums match.
//
//   make-inputs random OUT BYTES           OUT: BYTES random bytes
//   make-inputs spread IN OUT COUNT        OUT: IN with COUNT bytes changed,
//                                          one in each of COUNT equal strides
//   make-inputs region IN OUT OFFSET BYTES OUT: IN with every byte of
//                                          [OFFSET, OFFSET + BYTES) changed
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kChunkBytes = std::size_t{1} << 20;
constexpr std::uint64_t kRandomState = 0x5170'7261'2D62'656EULL;
constexpr std::uint64_t kSpreadState = 0x7370'7265'6164'2D31ULL;
constexpr std::uint64_t kRegionState = 0x7265'6769'6F6E'2D31ULL;

// xoshiro256**, its state filled from one 64-bit value by splitmix64.
class CGenerator {
public:
  explicit CGenerator(std::uint64_t start) {
    for (auto& word : state) {
      start += 0x9E37'79B9'7F4A'7C15ULL;
      std::uint64_t z = start;
      z = (z ^ (z >> 30)) * 0xBF58'476D'1CE4'E5B9ULL;
      z = (z ^ (z >> 27)) * 0x94D0'49BB'1331'11EBULL;
      word = z ^ (z >> 31);
    }
  }

  std::uint64_t Next() {
    const std::uint64_t result = Rotate(state[1] * 5, 7) * 9;
    const std::uint64_t t = state[1] << 17;
    state[2] ^= state[0];
    state[3] ^= state[1];
    state[1] ^= state[2];
    state[0] ^= state[3];
    state[2] ^= t;
    state[3] = Rotate(state[3], 45);
    return result;
  }

  // A byte value that, XORed into a byte, always changes it.
  unsigned char Change() { return static_cast<unsigned char>(1 + Next() % 255); }

private:
  static std::uint64_t Rotate(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
  std::uint64_t state[4];
};

bool ParseSize(std::string_view text, std::uint64_t& value) {
  if (text.empty()) return false;
  value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return true;
}

bool ReadWhole(const std::string& path, std::vector<unsigned char>& bytes) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return false;
  bytes.resize(static_cast<std::size_t>(in.tellg()));
  in.seekg(0);
  return static_cast<bool>(in.read(reinterpret_cast<char*>(bytes.data()),
                                   static_cast<std::streamsize>(bytes.size())));
}

bool WriteWhole(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

bool WriteRandom(const std::string& path, std::uint64_t size) {
  CGenerator generator(kRandomState);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  std::vector<std::uint64_t> chunk(kChunkBytes / sizeof(std::uint64_t));
  for (std::uint64_t written = 0; written < size && out;) {
    for (auto& word : chunk) word = generator.Next();
    const std::uint64_t piece = std::min<std::uint64_t>(kChunkBytes, size - written);
    out.write(reinterpret_cast<const char*>(chunk.data()), static_cast<std::streamsize>(piece));
    written += piece;
  }
  out.close();
  return static_cast<bool>(out);
}

// One changed byte at a random place in each of `count` equal strides.
bool ChangeSpread(std::vector<unsigned char>& bytes, std::uint64_t count) {
  if (count == 0 || count > bytes.size()) return false;
  CGenerator generator(kSpreadState ^ count);
  const std::uint64_t stride = bytes.size() / count;
  for (std::uint64_t i = 0; i < count; ++i) {
    bytes[i * stride + generator.Next() % stride] ^= generator.Change();
  }
  return true;
}

bool ChangeRegion(std::vector<unsigned char>& bytes, std::uint64_t offset, std::uint64_t length) {
  if (offset > bytes.size() || length > bytes.size() - offset) return false;
  CGenerator generator(kRegionState ^ offset ^ (length << 32));
  for (std::uint64_t i = offset; i < offset + length; ++i) bytes[i] ^= generator.Change();
  return true;
}

int Usage() {
  std::cerr << "usage: make-inputs random OUT BYTES | spread IN OUT COUNT"
               " | region IN OUT OFFSET BYTES\n";
  return 2;
}

int Changed(const std::vector<std::string_view>& args) {
  std::uint64_t first = 0;
  std::uint64_t second = 0;
  const bool region = args[0] == "region";
  if (args.size() != (region ? 5u : 4u) || !ParseSize(args[3], first) ||
      (region && !ParseSize(args[4], second))) {
    return Usage();
  }
  std::vector<unsigned char> bytes;
  if (!ReadWhole(std::string(args[1]), bytes)) {
    std::cerr << "make-inputs: cannot read " << args[1] << "\n";
    return 1;
  }
  const bool changed = region ? ChangeRegion(bytes, first, second) : ChangeSpread(bytes, first);
  if (!changed) {
    std::cerr << "make-inputs: the changes do not fit into " << args[1] << "\n";
    return 1;
  }
  if (!WriteWhole(std::string(args[2]), bytes)) {
    std::cerr << "make-inputs: cannot write " << args[2] << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  if (args[0] == "random") {
    std::uint64_t size = 0;
    if (args.size() != 3 || !ParseSize(args[2], size)) return Usage();
    if (WriteRandom(std::string(args[1]), size)) return 0;
    std::cerr << "make-inputs: cannot write " << args[1] << "\n";
    return 1;
  }
  if (args[0] == "spread" || args[0] == "region") return Changed(args);
  return Usage();
}
