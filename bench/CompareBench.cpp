// The comparison of two 64 MiB images: CompareBytes with no difference,
// 1,000 and 1,000,000 differing bytes spread over the images, and a
// contiguous 16 MiB region in which every byte differs. Bytes of one image
// per second. The difference list keeps its capacity between iterations:
// what is timed is the scan and the appends.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>

#include "bench/BenchData.h"
#include "compare/Comparison.h"

namespace {

constexpr size_t kImageSize = 64u << 20;

enum class Changes { kNone, kSpread1000, kSpread1000000, kRegion16MiB };

const BenchData::Bytes& FirstImage() {
  static const BenchData::Bytes bytes = BenchData::RandomBytes(kImageSize);
  return bytes;
}

BenchData::Bytes SecondImage(Changes changes) {
  switch (changes) {
    case Changes::kNone:
      return FirstImage();
    case Changes::kSpread1000:
      return BenchData::WithSpreadChanges(FirstImage(), 1'000);
    case Changes::kSpread1000000:
      return BenchData::WithSpreadChanges(FirstImage(), 1'000'000);
    case Changes::kRegion16MiB:
      return BenchData::WithChangedRegion(FirstImage(), kImageSize / 4, 16u << 20);
  }
  return {};
}

size_t ExpectedDifferences(Changes changes) {
  constexpr size_t kCounts[] = {0, 1'000, 1'000'000, 16u << 20};
  return kCounts[static_cast<int>(changes)];
}

void BM_CompareBytes(benchmark::State& state, Changes changes) {
  const BenchData::Bytes& first = FirstImage();
  const BenchData::Bytes second = SecondImage(changes);
  DiffList differences;
  differences.reserve(ExpectedDifferences(changes));
  for (auto _ : state) {
    differences.clear();
    CompareBytes(first.data(), second.data(), static_cast<uint32_t>(kImageSize), differences);
    benchmark::DoNotOptimize(differences.data());
    benchmark::ClobberMemory();
  }
  if (differences.size() != ExpectedDifferences(changes)) {
    state.SkipWithError("CompareBytes found another number of differences than were made");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kImageSize));
  state.counters["differences"] = static_cast<double>(differences.size());
}

}  // namespace

BENCHMARK_CAPTURE(BM_CompareBytes, none, Changes::kNone)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CompareBytes, spread_1000, Changes::kSpread1000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CompareBytes, spread_1000000, Changes::kSpread1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CompareBytes, region_16MiB, Changes::kRegion16MiB)
    ->Unit(benchmark::kMillisecond);
