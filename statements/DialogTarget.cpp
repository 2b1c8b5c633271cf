#include "statements/DialogTarget.h"

#include <algorithm>

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

HandlerResult HandleDialog(CRunHost& host, CStatement& statement) {
  if (statement.operands.empty()) return HandlerResult::kFailed;
  std::vector<std::string> fields;
  if (!ParseDialogSpec(statement.operands[0], fields)) return HandlerResult::kFailed;
  std::string path;
  FileChoice choice = host.ChooseDialogTarget({fields[0], fields[1], fields[2]}, path);
  if (choice == FileChoice::kCancelled) return HandlerResult::kCancelled;
  if (choice == FileChoice::kRefused) return HandlerResult::kFailed;
  statement.operands.assign(1, path);
  return HandlerResult::kDone;
}
