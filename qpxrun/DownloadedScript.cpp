#include "qpxrun/DownloadedScript.h"

#include <string>

#include "dialogs/Message.h"
#include "interpreter/ChangeList.h"
#include "interpreter/Outcome.h"
#include "platform/MessageBox.h"
#include "text/ShownText.h"

namespace {

constexpr OutcomeMessage kRestricted{
    "このスクリプトは制限付きサイトから取得したため、実行しません。", kErrorCaption,
    kErrorFlags};

constexpr std::string_view kFromInternet = "このスクリプトはインターネットから取得したものです。";
constexpr std::string_view kFrom = "取得元: ";
constexpr std::string_view kWhatItCanDo =
    "スクリプトはプログラムと同じように、あなたが書き込めるファイルとレジストリの値を"
    "書き換えられます。実行すると、次のものが変わります:";
constexpr std::string_view kRunIt = "取得元を信頼できる場合だけ実行してください。実行しますか？";

// A message box holds this much of the list; a longer list of registry
// values is shown whole in the box that scrolls, with at most kMoreFiles
// files after them.
constexpr ChangeListLayout kBoxLayout{20, 300};
constexpr size_t kMoreFiles = 200;

// The question: where the script came from, what running it would
// change, and whether to run it.
std::string Question(const platform::OriginMark& mark, const RunChanges& changes,
                     const ChangeListLayout& layout) {
  std::string text(kFromInternet);
  if (!mark.url.empty()) {
    text.append("\n").append(kFrom).append(
        FittedLine(ShownText(mark.url), kBoxLayout.longestLine, Language::kJapanese));
  }
  text.append("\n\n").append(kWhatItCanDo).append("\n");
  text += DescribeChanges(changes, layout, "    ", Language::kJapanese);
  return text.append("\n").append(kRunIt);
}

}  // namespace

bool ConfirmDownloadedScript(CScriptFile& script, const platform::OriginMark& mark,
                             CRunHost& host) {
  if (mark.zone == platform::Zone::kRestricted) {
    ShowMessage(nullptr, kRestricted);
    return false;
  }
  if (mark.zone != platform::Zone::kInternet) return true;
  RunChanges changes = ForeseeRun(script, host, true);
  if (RegistryValuesFit(changes, kBoxLayout)) {
    return host.Confirm(Question(mark, changes, kBoxLayout));
  }
  const ChangeListLayout whole{changes.values.size() + kMoreFiles, kWholeChangeList.longestLine};
  return platform::ScrollingQuestionBoxA(nullptr, Question(mark, changes, whole),
                                         std::string(kConfirmCaption)) == platform::kIdYes;
}
