// Cutting a script into units: CScriptFile::Load of a text over qpxdiff's form of
// a script of 10,000 and 1,000,000 statements, in bytes and units per
// second. The text is generated before the timed loop.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/BenchData.h"
#include "interpreter/StatementTables.h"
#include "language/ParseScript.h"

namespace {

void BM_Split(benchmark::State& state) {
  const std::string text = BenchData::ScriptText(static_cast<size_t>(state.range(0)));
  CScriptFile script(QuopraStatements());
  size_t units = 0;
  for (auto _ : state) {
    bool found = script.Load("bench.qpx", text);
    benchmark::DoNotOptimize(found);
    units = script.units.size();
    benchmark::ClobberMemory();
  }
  // #path, its argument, four units per statement, #end.
  if (units != 4 * static_cast<size_t>(state.range(0)) + 3) {
    state.SkipWithError("the loader found another number of units than the script holds");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.counters["units"] = BenchData::PerSecond(units);
}

}  // namespace

BENCHMARK(BM_Split)->Apply(BenchData::ScriptSizes);
