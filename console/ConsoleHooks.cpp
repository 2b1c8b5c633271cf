#include "console/ConsoleHooks.h"

#include <utility>

#include "language/Vocabulary.h"

CConsoleHooks::CConsoleHooks(RunMode mode, TargetChooser chooser, bool hasRegistry)
    : mode_(mode), chooser_(std::move(chooser)), hasRegistry_(hasRegistry) {}

CSourceData* CConsoleHooks::Image() {
  if (mode_ == RunMode::kCheck) return &dryRunImage_;
  return &runImage_;
}

RegistryAction CConsoleHooks::OnRegistryValue(const RegistryValue& value) {
  if (sectionOpen_) {
    sections_.back().values.push_back(
        {value.path, value.type,
         std::string(reinterpret_cast<const char*>(value.data), value.size)});
  }
  if (!hasRegistry_) {
    registryMissing_ = true;
    return RegistryAction::kRefuse;
  }
  return mode_ == RunMode::kCheck ? RegistryAction::kSkip : RegistryAction::kWrite;
}

FileChoice CConsoleHooks::ChooseDialogTarget(const DialogRequest& request, std::string& chosen) {
  return chooser_ ? chooser_(request, chosen) : FileChoice::kCancelled;
}

void CConsoleHooks::OnSectionStart(std::string_view directive, const std::string& target) {
  CloseOpenSection();
  sections_.push_back({std::string(directive), target, {}, {}, false});
  sectionOpen_ = true;
}

void CConsoleHooks::OnSectionEnd() {
  if (!sectionOpen_) return;  // a stray "#end" opened no section
  CloseOpenSection();
  sections_.back().ended = true;
}

void CConsoleHooks::CloseOpenSection() {
  if (!sectionOpen_) return;
  sectionOpen_ = false;
  if (mode_ == RunMode::kCheck && sections_.back().directive == kDirectivePath) {
    sections_.back().counts = dryRunImage_.CountStores();
  }
}

void CConsoleHooks::OnUnitsEnd(const UnitsEnd& end) { end_ = end; }
