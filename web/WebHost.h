// The page's host: targets are files the page puts into the browser's
// file system when the run asks for them, saved targets go back to the
// page to be downloaded, and questions, dialog sections and failures are
// the page's to show. The browser has no registry: a registry statement
// is shown to the page and fails, as it does for qpx on Linux.
#pragma once

#include <string>

#include "image/SourceData.h"
#include "language/ParseScript.h"
#include "language/RunHost.h"

class CWebHost : public CRunHost {
 public:
  CSourceData& Image() override { return image_; }
  // The page is asked for the file first (it may take a while: the user
  // picks it).
  bool LoadTarget(CSourceData& image, const std::string& path) override;
  // Handed to the page, which holds it from then on (a later section on
  // the target reads it there): no second copy in the browser's file
  // system.
  bool SaveTarget(CSourceData& image, const std::string& path) override;
  bool WriteRegistryValue(const RegistryValue& value) override;
  FileChoice ChooseDialogTarget(const DialogRequest& request, std::string& chosen) override;
  bool Confirm(const std::string& question) override;
  void ReportFailure(const RunFailure& failure) override;
  void OnSectionStart(std::string_view directive, const std::string& target) override;

  void SetUnits(const CParseScript& script) { script_ = &script; }

 private:
  const CParseScript* script_ = nullptr;
  bool registryMissing_ = false;
  CSourceData image_;
};
