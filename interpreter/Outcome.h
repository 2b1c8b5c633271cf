// What qpxrun shows at the end of a run, by outcome. The tables are here
// so that qpx can give the same Japanese texts beside its English ones.
#pragma once

#include <cstdint>
#include <string_view>

#include "dialogs/Message.h"
#include "language/ParseScriptException.h"
#include "platform/MessageBox.h"

namespace Outcome {

inline constexpr std::string_view kErrorCaption = "エラー";
inline constexpr std::string_view kConfirmCaption = "確認";
inline constexpr unsigned kError = platform::kMbOk | platform::kMbIconError;

inline constexpr OutcomeMessage kLoadFailed{"スクリプトの読み込みに失敗しました", kErrorCaption,
                                            kError};

// Indexed by reason code.
inline constexpr OutcomeMessage kReasonMessages[] = {
    {"ユニットの解析に失敗しました", kErrorCaption, kError},
    {"解析するユニットがありません", kErrorCaption, kError},
    {"操作するファイルが開けませんでした", kErrorCaption, kError},
    {"スクリプトに問題があります", kErrorCaption, kError},
    {"操作中のデータをファイルに保存できませんでした", kErrorCaption, kError},
    {"終了ディレクティブがないため、保存しませんでした", kErrorCaption, kError},
    {"処理をキャンセルしました", kConfirmCaption, platform::kMbOk | platform::kMbIconExclamation},
};
static_assert(ReasonTableFits(kReasonMessages));

inline constexpr OutcomeMessage kOtherFailure{"解析に失敗しました", kErrorCaption, kError};

}  // namespace Outcome

// The message for a failed script load.
const OutcomeMessage& LoadFailedMessage();
// The message for a run-loop reason; a code that names no reason gives
// the general failure message.
const OutcomeMessage& ReasonMessage(int32_t reason);
