#include "qpxrun/RunnerHost.h"

#include "dialogs/FileDialog.h"
#include "dialogs/Message.h"
#include "interpreter/Outcome.h"
#include "platform/MessageBox.h"

bool CRunnerHost::WriteRegistryValue(const RegistryValue& value) {
  return platform::WriteRegistryValue(value.root, value.subkey, value.name, value.type, value.data,
                                      value.size);
}

FileChoice CRunnerHost::ChooseDialogTarget(const DialogRequest& request, std::string& chosen) {
  COpenFileDialog dialog(nullptr);
  dialog.SetTitle(request.title.c_str());
  if (!dialog.SetFileName(request.fileName)) return FileChoice::kRefused;
  // The filter's own terminating NUL follows its last entry, closing the list.
  dialog.SetFilter(request.filter.c_str());
  return dialog.Choose(chosen);
}

bool CRunnerHost::Confirm(const std::string& question) {
  return ShowMessage(nullptr, {question, kConfirmCaption,
                               platform::kMbYesNo | platform::kMbIconExclamation |
                                   platform::kMbDefButton2}) == platform::kIdYes;
}

void CRunnerHost::ReportFailure(const RunFailure& failure) {
  ShowMessage(nullptr, ReasonMessage(failure.reason));
}
