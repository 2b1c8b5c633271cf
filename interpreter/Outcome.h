// What qpxrun shows at the end of a run, by outcome. The tables are here
// so that qpx can give the same Japanese texts beside its English ones.
#pragma once

#include <cstdint>
#include <string_view>

#include "dialogs/Message.h"
#include "language/ParseScriptException.h"
#include "platform/MessageBox.h"

namespace Outcome {

inline constexpr OutcomeMessage kLoadFailed{"スクリプトの読み込みに失敗しました", kErrorCaption,
                                            kErrorFlags};

// What a reason is called: qpxrun's message box (whose text is also qpx's
// Japanese one), qpx's English text, and the meaning of qpx's exit status
// for it in both languages.
struct ReasonRow {
  OutcomeMessage message;
  std::string_view english;
  std::string_view statusEnglish;
  std::string_view statusJapanese;
};

// Indexed by reason code.
inline constexpr ReasonRow kReasons[] = {
    {{"ユニットの解析に失敗しました", kErrorCaption, kErrorFlags},
     "a unit could not be parsed",
     "reason 0: a unit could not be parsed",
     "理由 0: ユニットを解析できませんでした"},
    {{"解析するユニットがありません", kErrorCaption, kErrorFlags},
     "there is no unit to parse",
     "reason 1: there is no unit to parse",
     "理由 1: 解析するユニットがありません"},
    {{"操作するファイルが開けませんでした", kErrorCaption, kErrorFlags},
     "the target file could not be opened",
     "reason 2: the target file could not be opened",
     "理由 2: 操作するファイルを開けませんでした"},
    {{"スクリプトに問題があります", kErrorCaption, kErrorFlags},
     "the script has a problem",
     "reason 3: the script has a problem",
     "理由 3: スクリプトに問題があります"},
    {{"操作中のデータをファイルに保存できませんでした", kErrorCaption, kErrorFlags},
     "the data could not be saved to the target file",
     "reason 4: the target could not be saved",
     "理由 4: ファイルに保存できませんでした"},
    {{"終了ディレクティブがないため、保存しませんでした", kErrorCaption, kErrorFlags},
     "no #end, so nothing was saved",
     "reason 5: no #end, so nothing was saved",
     "理由 5: #end がないため保存しませんでした"},
    {{"処理をキャンセルしました", kConfirmCaption, platform::kMbOk | platform::kMbIconExclamation},
     "cancelled",
     "reason 6: cancelled (a dialog target not given)",
     "理由 6: キャンセル (dialog の対象が指定されませんでした)"},
};
static_assert(ReasonTableFits(kReasons));

// A failure of no known reason.
inline constexpr ReasonRow kOtherFailure{
    {"解析に失敗しました", kErrorCaption, kErrorFlags}, "the run failed", {}, {}};

}  // namespace Outcome

// The message for a failed script load.
const OutcomeMessage& LoadFailedMessage();
// The row of a run-loop reason; a code that names no reason gives the
// general failure's.
const Outcome::ReasonRow& ReasonOf(int32_t reason);
// Its message box.
inline const OutcomeMessage& ReasonMessage(int32_t reason) { return ReasonOf(reason).message; }
