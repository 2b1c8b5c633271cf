#include "statements/DialogTarget.h"

#include <algorithm>

#include "image/SourceData.h"
#include "dialogs/FileDialog.h"
#include "language/ParseScript.h"
#include "language/RunHost.h"
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

// Asks the system's Open dialog. A proposed name that does not fit the
// dialog's buffer is refused, not cut.
FileChoice AskOpenDialog(const std::vector<std::string>& fields, std::string& path) {
  COpenFileDialog dialog(nullptr);
  dialog.SetTitle(fields[0].c_str());
  if (!dialog.SetFileName(fields[1])) return FileChoice::kRefused;
  // The filter's own terminating NUL follows its last entry, closing the list.
  dialog.SetFilter(fields[2].c_str());
  return dialog.Choose(path);
}

}  // namespace

int32_t HandleDialog(CSourceData& image, CStatement& statement) {
  if (statement.operands.empty()) return -1;
  std::vector<std::string> fields;
  if (!ParseDialogSpec(statement.operands[0], fields)) return -1;
  std::string path;
  CRunHooks* hooks = statement.owner != nullptr ? statement.owner->hooks : nullptr;
  FileChoice choice = hooks != nullptr
                          ? hooks->ChooseDialogTarget({fields[0], fields[1], fields[2]}, path)
                          : AskOpenDialog(fields, path);
  if (choice == FileChoice::kCancelled) return 1;
  if (choice == FileChoice::kRefused) return -1;
  if (!image.Load(path)) return -1;
  statement.operands.assign(1, path);
  return 0;
}
