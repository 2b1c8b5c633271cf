// qpx's host: the files (with a progress bar for a large one), the
// terminal (dialog targets, questions, failures), and the registry where
// the system has one. (check runs dry, with interpreter/DryRun.h, on it.)
#pragma once

#include <functional>
#include <string>

#include "console/Output.h"
#include "text/Texts.h"
#include "image/SourceData.h"
#include "language/ParseScript.h"
#include "language/RunHost.h"

// Answers a "#path dialog" section.
using TargetChooser = std::function<FileChoice(const DialogRequest& request, std::string& chosen)>;

class CConsoleHost : public CRunHost {
 public:
  // The script whose failures it reports on err; chooser answers "#path
  // dialog" sections (none: they are cancelled).
  CConsoleHost(const CScriptFile& script, TargetChooser chooser, Language language, COutput& err);

  CSourceData& Image() override { return image_; }
  bool LoadTarget(CSourceData& image, const std::string& path) override;
  bool SaveTarget(CSourceData& image, const std::string& path) override;
  bool WriteRegistryValue(const RegistryValue& value) override;
  FileChoice ChooseDialogTarget(const DialogRequest& request, std::string& chosen) override;
  // Asks on standard error and reads the answer typed after the
  // question appeared: y or yes.
  bool Confirm(const std::string& question) override;
  void ReportFailure(const RunFailure& failure) override {
    ReportFailure(failure, registryMissing_);
  }
  // "qpx: message", then where the run stopped: the script's line and the
  // unit being read; the message is that of no registry when
  // registryMissing.
  void ReportFailure(const RunFailure& failure, bool registryMissing);

  // True when a registry statement failed because there is no registry.
  bool RegistryMissing() const { return registryMissing_; }

 private:
  const CScriptFile& script_;
  TargetChooser chooser_;
  Language language_;
  COutput& err_;
  bool registryMissing_ = false;
  CSourceData image_;
};
