#include "interpreter/Outcome.h"

#include "language/ParseScriptException.h"
#include "platform/MessageBox.h"

namespace {

constexpr std::string_view kErrorCaption = "エラー";
constexpr std::string_view kConfirmCaption = "確認";
constexpr unsigned kError = platform::kMbOk | platform::kMbIconError;

constexpr OutcomeMessage kLoadFailed{"スクリプトの読み込みに失敗しました", kErrorCaption, kError};

// Indexed by reason code.
constexpr OutcomeMessage kReasonMessages[] = {
    {"ユニットの解析に失敗しました", kErrorCaption, kError},
    {"解析するユニットがありません", kErrorCaption, kError},
    {"操作するファイルが開けませんでした", kErrorCaption, kError},
    {"スクリプトに問題があります", kErrorCaption, kError},
    {"操作中のデータをファイルに保存できませんでした", kErrorCaption, kError},
    {"終了ディレクティブがないため、保存しませんでした", kErrorCaption, kError},
    {"処理をキャンセルしました", kConfirmCaption, platform::kMbOk | platform::kMbIconExclamation},
};
static_assert(ReasonTableFits(kReasonMessages));

constexpr OutcomeMessage kOtherFailure{"解析に失敗しました", kErrorCaption, kError};

}  // namespace

const OutcomeMessage& LoadFailedMessage() { return kLoadFailed; }

const OutcomeMessage& ReasonMessage(int32_t reason) {
  if (!IsReason(reason)) return kOtherFailure;
  return kReasonMessages[static_cast<size_t>(reason)];
}
