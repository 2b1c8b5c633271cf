// The writers of the listing and the script for 1,000,000 differences:
// BuildListing and BuildScript (the whole text in one buffer) and
// StreamListing and StreamScript (the text in pieces, to a sink that only
// counts the bytes), in lines and bytes per second.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "bench/BenchData.h"
#include "compare/Listing.h"
#include "compare/ScriptText.h"

namespace {

constexpr size_t kEntries = 1'000'000;
// Spread over 256 MiB: addresses of up to seven digits, written as eight.
constexpr uint32_t kSpan = 256u << 20;

const std::string kFirstPath = "C:\\data\\first image.bin";
const std::string kSecondPath = "C:\\data\\second image.bin";

const DiffList& Entries() {
  static const DiffList entries = BenchData::SpreadEntries(kEntries, kSpan);
  return entries;
}

// Both texts are a header line (the listing) or a #path line and #end
// (the script) beside one line per entry.
void Report(benchmark::State& state, size_t bytes, size_t lines) {
  if (bytes == 0) state.SkipWithError("the writer produced no text");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.counters["lines"] = BenchData::PerSecond(lines);
}

// Times build(), which returns the whole text.
template <typename Build>
void TimeBuilt(benchmark::State& state, size_t lines, Build build) {
  size_t bytes = 0;
  for (auto _ : state) {
    std::string text = build();
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  Report(state, bytes, lines);
}

// Times stream(sink), which hands the text to a sink that keeps nothing
// and only counts the bytes.
template <typename Stream>
void TimeStreamed(benchmark::State& state, size_t lines, Stream stream) {
  size_t bytes = 0;
  const TextSink sink = [&bytes](std::string_view piece) {
    bytes += piece.size();
    return true;
  };
  bool completed = true;
  for (auto _ : state) {
    bytes = 0;
    completed &= stream(sink);
  }
  if (!completed) state.SkipWithError("the writer stopped although the sink went on");
  Report(state, bytes, lines);
}

void BM_BuildListing(benchmark::State& state) {
  TimeBuilt(state, Entries().size() + 1,
            [] { return BuildListing(kFirstPath, kSecondPath, Entries()); });
}

void BM_StreamListing(benchmark::State& state) {
  TimeStreamed(state, Entries().size() + 1, [](const TextSink& sink) {
    return StreamListing(kFirstPath, kSecondPath, Entries(), sink);
  });
}

void BM_BuildScript(benchmark::State& state) {
  TimeBuilt(state, Entries().size() + 2,
            [] { return BuildScript(kFirstPath, Entries(), Direction::kForward); });
}

void BM_StreamScript(benchmark::State& state) {
  TimeStreamed(state, Entries().size() + 2, [](const TextSink& sink) {
    return StreamScript(kFirstPath, Entries(), Direction::kForward, sink);
  });
}

}  // namespace

BENCHMARK(BM_BuildListing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamListing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildScript)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamScript)->Unit(benchmark::kMillisecond);
