#include "compare/DiffMessages.h"

#include <array>

#include "platform/MessageBox.h"

namespace {

constexpr std::string_view kErrorCaption = "エラー";
constexpr unsigned kError = platform::kMbOk | platform::kMbIconError;

struct MessageRow {
  DiffMessage message;
  OutcomeMessage shown;
};

constexpr std::array<MessageRow, 7> kMessages = {{
    {DiffMessage::kFirstLoadFailed, {"1つ目のファイルを読み込めません", kErrorCaption, kError}},
    {DiffMessage::kSecondLoadFailed, {"2つ目のファイルを読み込めません", kErrorCaption, kError}},
    {DiffMessage::kOutOfMemory,
     {"メモリが足りないため、処理できませんでした", kErrorCaption, kError}},
    {DiffMessage::kCannotCreate, {"ファイルを作成できません", kErrorCaption, kError}},
    {DiffMessage::kCannotSave, {"ファイルを保存できません", kErrorCaption, kError}},
    {DiffMessage::kCreated,
     {"Quopraファイルを作成しました", kQuestionCaption,
      platform::kMbOk | platform::kMbIconExclamation}},
    {DiffMessage::kAbout,
     {"Quopra Maker\nバージョン 1.0.0.1", "バージョン情報",
      platform::kMbOk | platform::kMbIconInformation}},
}};

constexpr bool RowsInEnumOrder() {
  for (size_t at = 0; at < kMessages.size(); ++at) {
    if (kMessages[at].message != static_cast<DiffMessage>(at)) return false;
  }
  return true;
}
static_assert(RowsInEnumOrder(), "one row per message, in the order of the enumeration");

}  // namespace

const OutcomeMessage& MessageOf(DiffMessage message) {
  return kMessages[static_cast<size_t>(message)].shown;
}

void ShowMessage(platform::WindowHandle owner, DiffMessage message) {
  ShowMessage(owner, MessageOf(message));
}

std::string DirectionQuestion(const std::string& firstPath, const std::string& secondPath) {
  return firstPath + "から" + secondPath + "に変更するQuopraファイルを作成しますか？\n" +
         "逆に作成したい場合は、いいえを選択してください";
}
