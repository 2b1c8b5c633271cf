// How qpx's run and check differ from qpxrun: their images, a registry
// that may be missing or must not be touched, dialog targets answered
// without a dialog, and a report per section.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "console/ConsoleImage.h"
#include "language/RunHooks.h"

enum class RunMode {
  kRun,    // writes targets and registry values, as qpxrun does
  kCheck,  // writes nothing
};

// A registry value as a statement would write it.
struct RecordedValue {
  std::string path;
  uint32_t type;
  std::string data;
};

struct SectionReport {
  std::string directive;  // "#path" or "#registry"
  std::string target;     // the target file, or the registry value path
  StoreCounts counts;     // #path: what the section's stores would do
  std::vector<RecordedValue> values;
  bool ended = false;  // its "#end" was reached
};

// Answers a "#path dialog" section.
using TargetChooser = std::function<FileChoice(const DialogRequest& request, std::string& chosen)>;

class CConsoleHooks : public CRunHooks {
 public:
  CConsoleHooks(RunMode mode, TargetChooser chooser, bool hasRegistry);

  CSourceData* Image() override;
  RegistryAction OnRegistryValue(const RegistryValue& value) override;
  FileChoice ChooseDialogTarget(const DialogRequest& request, std::string& chosen) override;
  void OnSectionStart(std::string_view directive, const std::string& target) override;
  void OnSectionEnd() override;
  void OnUnitsEnd(const UnitsEnd& end) override;

  // Completes the report of a section that the run left open.
  void CloseOpenSection();
  const std::vector<SectionReport>& Sections() const { return sections_; }
  // True when a registry statement failed because there is no registry.
  bool RegistryMissing() const { return registryMissing_; }
  // Where the units ran out; nothing when the run stopped before.
  const std::optional<UnitsEnd>& End() const { return end_; }

 private:
  RunMode mode_;
  TargetChooser chooser_;
  bool hasRegistry_;
  bool registryMissing_ = false;
  bool sectionOpen_ = false;
  CConsoleImage runImage_;
  CDryRunImage dryRunImage_;
  std::vector<SectionReport> sections_;
  std::optional<UnitsEnd> end_;
};
