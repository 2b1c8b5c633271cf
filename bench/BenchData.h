// Inputs and helpers the micro-benchmarks share; inputs are generated in
// memory: qpxdiff's script
// text, byte images with spread or contiguous differences, and difference
// lists. Every generator starts from the same fixed state, so each run of
// the benchmarks works on the same bytes.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "compare/Comparison.h"

namespace BenchData {

using Bytes = std::vector<unsigned char>;

// The size of the image the generated scripts patch: their addresses are
// six hexadecimal digits.
inline constexpr uint32_t kScriptImageSize = 16u << 20;

// The name the generated scripts give after #path.
inline constexpr const char* kScriptTarget = "t.bin";

// qpxdiff's form of a script: "#path "t.bin"", then one statement
// "    AAAAAA = VV ;" per address, spread evenly over kScriptImageSize
// bytes, then "#end"; every line ends in CR LF.
std::string ScriptText(size_t statements);

// The bytes of the statements alone, as units: address, "=", value, ";"
// for each of `statements` statements, then "#end".
std::vector<std::string> StatementUnits(size_t statements);

// The sizes of script the benchmarks of Split and Run take: 10,000 and
// 1,000,000 statements, as the argument "statements".
void ScriptSizes(benchmark::internal::Benchmark* benchmark);

// A counter of count things done per iteration, shown per second.
benchmark::Counter PerSecond(size_t count);

// size pseudo-random bytes.
Bytes RandomBytes(size_t size);

// A copy of bytes in which `count` bytes, spread evenly, differ.
Bytes WithSpreadChanges(const Bytes& bytes, size_t count);

// A copy of bytes in which every byte of [start, start + length) differs.
Bytes WithChangedRegion(const Bytes& bytes, size_t start, size_t length);

// count entries with ascending addresses spread evenly over span bytes,
// each with two different pseudo-random bytes.
DiffList SpreadEntries(size_t count, uint32_t span);

}  // namespace BenchData
