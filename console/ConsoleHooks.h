// How qpx's run differs from qpxrun's: its image shows progress, a
// registry may be missing, and dialog targets are answered without a
// dialog. (check runs dry, with interpreter/DryRun.h.)
#pragma once

#include <string>

#include "console/ConsoleImage.h"
#include "interpreter/DryRun.h"
#include "language/RunHost.h"

class CConsoleHooks : public CRunHooks {
 public:
  CConsoleHooks(TargetChooser chooser, bool hasRegistry, Language language);

  CSourceData* Image() override { return &image_; }
  RegistryAction OnRegistryValue(const RegistryValue& value) override;
  FileChoice ChooseDialogTarget(const DialogRequest& request, std::string& chosen) override;
  void OnSectionStart(std::string_view, const std::string&) override {}
  void OnSectionEnd() override {}
  void OnUnitsEnd(const UnitsEnd&) override {}

  // True when a registry statement failed because there is no registry.
  bool RegistryMissing() const { return registryMissing_; }

 private:
  TargetChooser chooser_;
  bool hasRegistry_;
  bool registryMissing_ = false;
  CConsoleImage image_;
};
