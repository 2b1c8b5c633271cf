#include "web/WebHost.h"

#include <algorithm>

#include "language/ParseScript.h"
#include "platform/Cp932_posix.h"
#include "web/PageCalls.h"

namespace {

// The dialog's filter as the page reads it: its NUL-separated pairs
// joined by "|".
std::string FilterText(const std::string& filter) {
  std::string text = filter;
  while (!text.empty() && text.back() == '\0') text.pop_back();
  std::replace(text.begin(), text.end(), '\0', '|');
  return page::Shown(text);
}

}  // namespace

bool CWebHost::LoadTarget(CSourceData& image, const std::string& path) {
  std::string name;
  if (platform::posix::ToSystemName(path, name)) page::ProvideTarget(name);
  return image.Load(path);
}

bool CWebHost::SaveTarget(CSourceData& image, const std::string& path) {
  // The run saves only a target it loaded; an empty one has no bytes.
  const unsigned char* data = image.GetSize() > 0 ? image.GetPointer(0) : nullptr;
  page::TargetSaved(page::Shown(path), data, image.GetSize());
  image.SetModified(false);
  return true;
}

bool CWebHost::WriteRegistryValue(const RegistryValue& value) {
  page::RegistryValue(page::Shown(value.path), value.type, value.data, value.size);
  registryMissing_ = true;
  return false;
}

FileChoice CWebHost::ChooseDialogTarget(const DialogRequest& request, std::string& chosen) {
  std::string path = page::ChooseFile(page::Shown(request.title), page::Shown(request.fileName),
                                      FilterText(request.filter));
  if (path.empty()) return FileChoice::kCancelled;
  return platform::posix::ToCp932Name(path, chosen) ? FileChoice::kChosen : FileChoice::kRefused;
}

bool CWebHost::Confirm(const std::string& question) { return page::Confirm(page::Shown(question)); }

void CWebHost::ReportFailure(const RunFailure& failure) {
  bool known = script_ != nullptr && failure.unit < script_->units.size();
  page::Failed(failure.reason, known ? failure.unit + 1 : 0,
               known ? page::Shown(script_->units[failure.unit]) : std::string(), registryMissing_);
}

void CWebHost::OnSectionStart(std::string_view directive, const std::string& target) {
  page::SectionStarted(page::Shown(directive), page::Shown(target));
}
