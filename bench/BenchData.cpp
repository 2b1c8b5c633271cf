// Generators of the micro-benchmarks' in-memory inputs.
#include "bench/BenchData.h"

#include <algorithm>
#include <cstdio>
#include <random>

namespace BenchData {

namespace {

// A fixed starting state, so that every run generates the same inputs.
constexpr uint64_t kGeneratorStart = 0x51707852756E3031ull;

uint32_t Stride(size_t count, uint64_t span) {
  return count == 0 ? 1 : static_cast<uint32_t>(std::max<uint64_t>(1, span / count));
}

// A byte other than value.
unsigned char Changed(unsigned char value, std::mt19937_64& generator) {
  return static_cast<unsigned char>(value ^ (1 + generator() % 255));
}

}  // namespace

std::string ScriptText(size_t statements) {
  std::string text = std::string("#path \"") + kScriptTarget + "\"\r\n";
  constexpr size_t kLineSize = 19;  // "    AAAAAA = VV ;" CR LF
  text.reserve(text.size() + kLineSize * statements + 6);
  uint32_t stride = Stride(statements, kScriptImageSize);
  std::mt19937_64 generator(kGeneratorStart);
  char line[32];
  for (size_t i = 0; i < statements; ++i) {
    auto address = static_cast<unsigned>((i * stride) % kScriptImageSize);
    auto value = static_cast<unsigned>(generator() & 0xFF);
    int length = std::snprintf(line, sizeof line, "    %06X = %02X ;\r\n", address, value);
    text.append(line, static_cast<size_t>(length));
  }
  text += "#end\r\n";
  return text;
}

std::vector<std::string> StatementUnits(size_t statements) {
  std::vector<std::string> units;
  units.reserve(statements * 4 + 1);
  uint32_t stride = Stride(statements, kScriptImageSize);
  std::mt19937_64 generator(kGeneratorStart);
  char address[16];
  char value[8];
  for (size_t i = 0; i < statements; ++i) {
    std::snprintf(address, sizeof address, "%06X",
                  static_cast<unsigned>((i * stride) % kScriptImageSize));
    std::snprintf(value, sizeof value, "%02X", static_cast<unsigned>(generator() & 0xFF));
    units.emplace_back(address);
    units.emplace_back("=");
    units.emplace_back(value);
    units.emplace_back(";");
  }
  units.emplace_back("#end");
  return units;
}

void ScriptSizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->ArgName("statements")->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
}

benchmark::Counter PerSecond(size_t count) {
  return benchmark::Counter(static_cast<double>(count),
                            benchmark::Counter::kIsIterationInvariantRate);
}

Bytes RandomBytes(size_t size) {
  Bytes bytes(size);
  std::mt19937_64 generator(kGeneratorStart);
  size_t at = 0;
  for (; at + 8 <= size; at += 8) {
    uint64_t word = generator();
    for (int i = 0; i < 8; ++i) bytes[at + i] = static_cast<unsigned char>(word >> (8 * i));
  }
  for (; at < size; ++at) bytes[at] = static_cast<unsigned char>(generator());
  return bytes;
}

Bytes WithSpreadChanges(const Bytes& bytes, size_t count) {
  Bytes changed = bytes;
  uint32_t stride = Stride(count, bytes.size());
  std::mt19937_64 generator(kGeneratorStart + 1);
  for (size_t i = 0; i < count && i * stride < changed.size(); ++i) {
    unsigned char& byte = changed[i * stride + stride / 2];
    byte = Changed(byte, generator);
  }
  return changed;
}

Bytes WithChangedRegion(const Bytes& bytes, size_t start, size_t length) {
  Bytes changed = bytes;
  std::mt19937_64 generator(kGeneratorStart + 2);
  for (size_t at = start; at < start + length && at < changed.size(); ++at) {
    changed[at] = Changed(changed[at], generator);
  }
  return changed;
}

DiffList SpreadEntries(size_t count, uint32_t span) {
  DiffList entries;
  entries.reserve(count);
  uint32_t stride = Stride(count, span);
  std::mt19937_64 generator(kGeneratorStart + 3);
  for (size_t i = 0; i < count; ++i) {
    auto first = static_cast<unsigned char>(generator());
    entries.push_back({static_cast<uint32_t>(i * stride), first, Changed(first, generator)});
  }
  return entries;
}

}  // namespace BenchData
