#include "tests/support/RecordingHost.h"

bool CRecordingHost::LoadTarget(CSourceData& target, const std::string& path) {
  loaded.push_back(path);
  return target.Load(path);
}

bool CRecordingHost::SaveTarget(CSourceData& target, const std::string& path) {
  saved.push_back(path);
  return target.Save(path);
}

bool CRecordingHost::WriteRegistryValue(const RegistryValue& value) {
  if (!registryWrites) return false;
  values.push_back({value.path, value.root, value.subkey, value.name, value.type,
                    std::string(reinterpret_cast<const char*>(value.data), value.size)});
  return true;
}

FileChoice CRecordingHost::ChooseDialogTarget(const DialogRequest& request, std::string& chosen) {
  dialogTitles.push_back(request.title);
  if (dialogAnswers.empty()) return FileChoice::kCancelled;
  std::optional<std::string> answer = dialogAnswers.front();
  dialogAnswers.pop_front();
  if (!answer) return FileChoice::kCancelled;
  chosen = *answer;
  return FileChoice::kChosen;
}

bool CRecordingHost::Confirm(const std::string& question) {
  questions.push_back(question);
  if (confirmAnswers.empty()) return false;
  bool answer = confirmAnswers.front();
  confirmAnswers.pop_front();
  return answer;
}

void CRecordingHost::OnSectionStart(std::string_view directive, const std::string& target) {
  events.push_back(std::string(directive) + " " + target);
  if (atSectionStart) atSectionStart(target);
}
