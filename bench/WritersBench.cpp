// The writers of the listing and the script for 1,000,000 differences:
// StreamListing and StreamScript to a sink that only counts the bytes, and
// the listing collected whole into one string (qpxdiff's pane), in lines
// and bytes per second.
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

// The pane's listing: the pieces appended to one string.
void BM_CollectListing(benchmark::State& state) {
  size_t bytes = 0;
  for (auto _ : state) {
    std::string text;
    StreamListing(kFirstPath, kSecondPath, Entries(), [&text](std::string_view piece) {
      text.append(piece);
      return true;
    });
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  Report(state, bytes, Entries().size() + 1);
}

void BM_StreamListing(benchmark::State& state) {
  TimeStreamed(state, Entries().size() + 1, [](const TextSink& sink) {
    return StreamListing(kFirstPath, kSecondPath, Entries(), sink);
  });
}

void BM_StreamScript(benchmark::State& state) {
  TimeStreamed(state, Entries().size() + 2, [](const TextSink& sink) {
    return StreamScript(kFirstPath, Entries(), Direction::kForward, sink);
  });
}

}  // namespace

BENCHMARK(BM_CollectListing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamListing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamScript)->Unit(benchmark::kMillisecond);
