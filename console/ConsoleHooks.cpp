#include "console/ConsoleHooks.h"

#include <utility>

CConsoleHooks::CConsoleHooks(TargetChooser chooser, bool hasRegistry, Language language)
    : chooser_(std::move(chooser)), hasRegistry_(hasRegistry), image_(language) {}

RegistryAction CConsoleHooks::OnRegistryValue(const RegistryValue&) {
  if (hasRegistry_) return RegistryAction::kWrite;
  registryMissing_ = true;
  return RegistryAction::kRefuse;
}

FileChoice CConsoleHooks::ChooseDialogTarget(const DialogRequest& request, std::string& chosen) {
  return chooser_ ? chooser_(request, chosen) : FileChoice::kCancelled;
}
