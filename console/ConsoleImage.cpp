#include "console/ConsoleImage.h"

#include "console/Messages.h"
#include "console/Progress.h"
#include "text/ShownText.h"

namespace {

// A progress bar for a step on a large file.
void ShowStep(CProgress& progress, Message step, const std::string& path, Language language) {
  progress.Step(Fill(MessageText(step, language), {ShownText(path)}));
}

}  // namespace

bool CConsoleImage::Load(std::string path) {
  CProgress progress(1, FileSize(path) > kLongWorkBytes);
  ShowStep(progress, Message::kLoading, path, language_);
  return CSourceData::Load(path);
}

bool CConsoleImage::Save(std::string path) {
  CProgress progress(1, GetSize() > kLongWorkBytes);
  ShowStep(progress, Message::kSaving, path, language_);
  return CSourceData::Save(path);
}

bool CConsoleDryRunImage::Load(std::string path) {
  CProgress progress(1, FileSize(path) > kLongWorkBytes);
  ShowStep(progress, Message::kLoading, path, language_);
  return CDryRunImage::Load(path);
}
