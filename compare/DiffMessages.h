// The message boxes of the difference-script maker.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "QuopraVersion.h"
#include "dialogs/Message.h"
#include "platform/MessageBox.h"
#include "platform/Types.h"

enum class DiffMessage {
  kFirstLoadFailed,
  kSecondLoadFailed,
  kOutOfMemory,
  kCannotCreate,
  kCannotSave,
  kCreated,
  kAbout,
};

namespace DiffMessages {

struct MessageRow {
  DiffMessage message;
  OutcomeMessage shown;
};

// One row per message, in the order of the enumeration (checked below).
inline constexpr std::array<MessageRow, 7> kMessages = {{
    {DiffMessage::kFirstLoadFailed, {"1つ目のファイルを読み込めません", kErrorCaption, kErrorFlags}},
    {DiffMessage::kSecondLoadFailed, {"2つ目のファイルを読み込めません", kErrorCaption, kErrorFlags}},
    {DiffMessage::kOutOfMemory,
     {"メモリが足りないため、処理できませんでした", kErrorCaption, kErrorFlags}},
    {DiffMessage::kCannotCreate, {"ファイルを作成できません", kErrorCaption, kErrorFlags}},
    {DiffMessage::kCannotSave, {"ファイルを保存できません", kErrorCaption, kErrorFlags}},
    {DiffMessage::kCreated,
     {"Quopraファイルを作成しました", kConfirmCaption,
      platform::kMbOk | platform::kMbIconExclamation}},
    {DiffMessage::kAbout,
     {"Quopra Maker\nバージョン " QPX_VERSION, "バージョン情報",
      platform::kMbOk | platform::kMbIconInformation}},
}};

constexpr bool RowsInEnumOrder() {
  for (size_t at = 0; at < kMessages.size(); ++at) {
    if (kMessages[at].message != static_cast<DiffMessage>(at)) return false;
  }
  return true;
}
static_assert(RowsInEnumOrder(), "one row per message, in the order of the enumeration");

}  // namespace DiffMessages

constexpr const OutcomeMessage& MessageOf(DiffMessage message) {
  return DiffMessages::kMessages[static_cast<size_t>(message)].shown;
}
// Shows the message in a message box owned by owner.
void ShowMessage(platform::WindowHandle owner, DiffMessage message);

// "first から second に変更する…": Yes writes the forward script, No the
// reverse one.
std::string DirectionQuestion(const std::string& firstPath, const std::string& secondPath);
