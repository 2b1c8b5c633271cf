#include "statements/DialogTarget.h"

#include <algorithm>

#include "image/SourceData.h"
#include "dialogs/FileDialog.h"
#include "language/ParseScript.h"
#include "language/RunHooks.h"
#include "language/Statement.h"
#include "language/Vocabulary.h"

namespace {

constexpr char kBar = '|';
constexpr size_t kMinBars = 4;

}  // namespace

bool ParseDialogSpec(std::string unit, std::vector<std::string>& fields) {
  if (!Unquote(unit)) return false;
  if (unit.empty() || unit.back() != kBar) return false;
  const auto bars = static_cast<size_t>(std::count(unit.begin(), unit.end(), kBar));
  if (bars < kMinBars || bars % 2 != 0) return false;
  const size_t firstBar = unit.find(kBar);
  const size_t secondBar = unit.find(kBar, firstBar + 1);
  std::string filter = unit.substr(secondBar + 1);
  std::replace(filter.begin(), filter.end(), kBar, '\0');
  fields = {unit.substr(0, firstBar), unit.substr(firstBar + 1, secondBar - firstBar - 1),
            std::move(filter)};
  return true;
}

namespace {

// Asks the system's Open dialog: 0 with the chosen path, 1 when cancelled,
// -1 when the proposed name does not fit the dialog or the chosen file's
// name has no CP932 form.
int32_t AskOpenDialog(const std::vector<std::string>& fields, std::string& path) {
  COpenFileDialog dialog(nullptr);
  dialog.SetTitle(fields[0].c_str());
  // A proposed name that does not fit the dialog's buffer is refused, not cut.
  if (!dialog.SetFileName(fields[1])) return -1;
  // The filter's own terminating NUL follows its last entry, closing the list.
  dialog.SetFilter(fields[2].c_str());
  if (dialog.Show() == 0) return dialog.Refused() ? -1 : 1;
  char chosen[kFileNameBufferSize];
  dialog.GetFileName(chosen);
  path = chosen;
  return 0;
}

}  // namespace

int32_t HandleDialog(CSourceData& image, CStatement& statement) {
  if (statement.operands.empty()) return -1;
  std::vector<std::string> fields;
  if (!ParseDialogSpec(statement.operands[0], fields) || fields.size() != 3) return -1;
  std::string path;
  CRunHooks* hooks = statement.owner != nullptr ? statement.owner->hooks : nullptr;
  if (hooks != nullptr) {
    switch (hooks->ChooseDialogTarget({fields[0], fields[1], fields[2]}, path)) {
      case TargetChoice::kChosen:
        break;
      case TargetChoice::kCancelled:
        return 1;
      case TargetChoice::kRefused:
        return -1;
    }
  } else if (int32_t asked = AskOpenDialog(fields, path); asked != 0) {
    return asked;
  }
  if (!image.Load(path)) return -1;
  statement.operands.assign(1, path);
  return 0;
}
