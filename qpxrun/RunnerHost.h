// qpxrun's host: the system's files, registry, Open dialog and message
// boxes.
#pragma once

#include <string>

#include "image/SourceData.h"
#include "language/RunHost.h"

class CRunnerHost : public CRunHost {
 public:
  CSourceData& Image() override { return image_; }
  bool LoadTarget(CSourceData& image, const std::string& path) override { return image.Load(path); }
  bool SaveTarget(CSourceData& image, const std::string& path) override { return image.Save(path); }
  bool WriteRegistryValue(const RegistryValue& value) override;
  // Asks the system's Open dialog. A proposed name that does not fit the
  // dialog's buffer is refused, not cut.
  FileChoice ChooseDialogTarget(const DialogRequest& request, std::string& chosen) override;
  // A message box with Yes and No, No the default.
  bool Confirm(const std::string& question) override;
  // The reason's message box.
  void ReportFailure(const RunFailure& failure) override;

 private:
  CSourceData image_;
};
