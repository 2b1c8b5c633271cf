// Classification and dispatch per statement: CParseScript::Run over
// qpxdiff's form of a script of 10,000 and 1,000,000 statements, against
// an image held in memory (no file is read or written), in statements per
// second. BM_Run splits the script before the timed loop, so what is
// timed is the run alone: directive search, classification of every unit,
// lookup of the statement's shape and the store into the image.
// BM_SplitAndRun times both, the whole work on a script's text beyond
// reading and writing files. ClassifyUnit is also timed alone over the
// units of the same statements.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "bench/BenchData.h"
#include "image/SourceData.h"
#include "interpreter/RunLoop.h"
#include "interpreter/StatementTables.h"
#include "language/ParseScript.h"
#include "language/ParseScriptException.h"
#include "language/RunHost.h"
#include "language/UnitClassifier.h"

namespace {

// A target image whose load and save touch no file: loading keeps the
// bytes already held, saving only counts.
class CMemoryImage : public CSourceData {
 public:
  explicit CMemoryImage(uint32_t size) {
    unsigned char* bytes = Allocate(size);
    if (bytes != nullptr) std::fill(bytes, bytes + size, 0);
  }
  bool Load(std::string path) override {
    (void)path;
    SetModified(false);
    return GetSize() != 0;
  }
  bool Save(std::string path) override {
    (void)path;
    SetModified(false);
    ++saves;
    return true;
  }

  int64_t saves = 0;
};

// Gives the run the image in memory; the scripts here hold no registry
// or dialog section.
class CMemoryHost : public CRunHost {
 public:
  explicit CMemoryHost(CSourceData& image) : image_(image) {}
  CSourceData& Image() override { return image_; }
  bool LoadTarget(CSourceData& image, const std::string& path) override { return image.Load(path); }
  bool SaveTarget(CSourceData& image, const std::string& path) override { return image.Save(path); }
  bool WriteRegistryValue(const RegistryValue&) override { return true; }
  FileChoice ChooseDialogTarget(const DialogRequest&, std::string&) override {
    return FileChoice::kCancelled;
  }
  bool Confirm(const std::string&) override { return false; }
  void ReportFailure(const RunFailure&) override {}

 private:
  CSourceData& image_;
};

// Runs script once; false, with the reason, when the run failed.
bool RunOnce(CParseScript& script, CRunHost& host, benchmark::State& state) {
  try {
    RunUnits(script, host);
    return true;
  } catch (const CParseScriptException& thrown) {
    std::string failure = "the run failed with reason " + std::to_string(thrown.GetReason());
    state.SkipWithError(failure.c_str());
    return false;
  }
}

// Times the script of state.range(0) statements, split before the timed
// loop or, with splitEach, in every iteration.
void TimeRun(benchmark::State& state, bool splitEach) {
  const auto statements = static_cast<size_t>(state.range(0));
  const std::string text = BenchData::ScriptText(statements);
  CMemoryImage image(BenchData::kScriptImageSize);
  CMemoryHost host(image);
  CScriptFile script(QuopraStatements());
  if (!script.Load("bench.qpx", text)) {
    state.SkipWithError("the generated script holds no unit");
    return;
  }
  bool succeeded = true;
  for (auto _ : state) {
    if (splitEach) script.Load("bench.qpx", text);
    if (!(succeeded = RunOnce(script, host, state))) break;
  }
  if (succeeded && image.saves != state.iterations()) {
    state.SkipWithError("a run did not reach its #end");
  }
  state.counters["statements"] = BenchData::PerSecond(statements);
}

void BM_Run(benchmark::State& state) { TimeRun(state, false); }
void BM_SplitAndRun(benchmark::State& state) { TimeRun(state, true); }

void BM_ClassifyUnit(benchmark::State& state) {
  const std::vector<std::string> units =
      BenchData::StatementUnits(static_cast<size_t>(state.range(0)));
  bool rejected = false;
  for (auto _ : state) {
    std::string_view previous;
    for (const std::string& unit : units) {
      ClassifiedUnit classified = ClassifyUnit(unit, previous);
      rejected |= classified.kind == UnitKind::kRejected;
      benchmark::DoNotOptimize(classified);
      previous = unit;
    }
  }
  if (rejected) state.SkipWithError("a unit of a well-formed statement was rejected");
  state.counters["units"] = BenchData::PerSecond(units.size());
}

}  // namespace

BENCHMARK(BM_Run)->Apply(BenchData::ScriptSizes);
BENCHMARK(BM_SplitAndRun)->Apply(BenchData::ScriptSizes);
BENCHMARK(BM_ClassifyUnit)->ArgName("statements")->Arg(10'000)->Unit(benchmark::kMicrosecond);
