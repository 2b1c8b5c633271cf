// The programs' application manifests, read back from their resources, and
// what the system makes of qpxdiff's: the common controls 6 and DPI
// awareness.
#include <gtest/gtest.h>

#include <cstdlib>

#include "qpxdiff/DiffSession.h"

namespace e2e {
namespace {

struct ProgramManifest {
  const char* program;
  std::string path;
  bool commonControls;
  bool dpiAware;
};

const char* const kSupportedSystems[] = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
};

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(Manifest, EachProgramCarriesItsOwn) {
  const ProgramManifest programs[] = {
      {"qpxrun", RunnerExe(), true, false},
      {"qpxdiff", WindowsPath(QPX_E2E_DIFF_EXE), true, true},
      {"qpx", WindowsPath(QPX_E2E_CONSOLE_EXE), false, false},
  };
  for (const ProgramManifest& expected : programs) {
    SCOPED_TRACE(expected.program);
    DriverRun run = RunDriver({"manifest", expected.path});
    ASSERT_TRUE(run.Followed()) << run.output;
    std::string manifest = run.transcript.Text("manifest");
    EXPECT_TRUE(Has(manifest, "<requestedExecutionLevel level=\"asInvoker\"")) << manifest;
    for (const char* system : kSupportedSystems) {
      EXPECT_TRUE(Has(manifest, std::string("<supportedOS Id=\"") + system + "\"/>")) << system;
    }
    EXPECT_EQ(Has(manifest, "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              expected.commonControls)
        << manifest;
    EXPECT_EQ(
        Has(manifest, ">true</dpiAware>") && Has(manifest, ">PerMonitorV2, System</dpiAwareness>"),
        expected.dpiAware)
        << manifest;
  }
}

// Wine makes every program DPI-aware, so it cannot show qpxdiff's awareness;
// it does load the side-by-side common controls the manifest names.
TEST(Manifest, QpxdiffRunsWithTheCommonControls6AndAFontForItsDpi) {
  DriverRun run = diff::RunDiff({"window", "display", "font"});
  ASSERT_TRUE(run.Followed()) << run.output;
  EXPECT_TRUE(Has(run.transcript.Text("display.comctl32"),
                  "microsoft.windows.common-controls_6595b64144ccf1df_6."))
      << run.output;
  int dpi = std::atoi(run.transcript.Word("display.dpi").c_str());
  int height = std::atoi(run.transcript.Word("font.height").c_str());
  ASSERT_GT(dpi, 0) << run.output;
  // 16 pixels at 96 dots per inch, scaled (tests/e2e/package checks 144).
  EXPECT_NEAR(height * 96.0 / dpi, 16.0, 2.0) << run.output;
}

}  // namespace
}  // namespace e2e
