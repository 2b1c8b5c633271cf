// The target images of qpx's runs, which show progress for a large
// target: the real one, and the one of a check, which writes nothing.
#pragma once

#include <string>

#include "console/Texts.h"
#include "image/SourceData.h"
#include "interpreter/DryRun.h"

class CConsoleImage : public CSourceData {
 public:
  explicit CConsoleImage(Language language) : language_(language) {}
  bool Load(std::string path) override;
  bool Save(std::string path) override;

 private:
  Language language_;
};

class CConsoleDryRunImage : public CDryRunImage {
 public:
  explicit CConsoleDryRunImage(Language language) : language_(language) {}
  bool Load(std::string path) override;

 private:
  Language language_;
};
