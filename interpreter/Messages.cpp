#include "interpreter/Messages.h"

#include "compare/Listing.h"
#include "interpreter/Outcome.h"

namespace {

// One row per message of the comparison; the Japanese texts are qpxdiff's.
constexpr TextRow<DiffMessage> kFileTexts[] = {
    {DiffMessage::kFirstLoadFailed,
     {"the first file cannot be read", MessageOf(DiffMessage::kFirstLoadFailed).text}},
    {DiffMessage::kSecondLoadFailed,
     {"the second file cannot be read", MessageOf(DiffMessage::kSecondLoadFailed).text}},
    {DiffMessage::kOutOfMemory,
     {"not enough memory to do this", MessageOf(DiffMessage::kOutOfMemory).text}},
    {DiffMessage::kCannotCreate,
     {"the file cannot be created", MessageOf(DiffMessage::kCannotCreate).text}},
    {DiffMessage::kCannotSave,
     {"the file cannot be saved", MessageOf(DiffMessage::kCannotSave).text}},
    {DiffMessage::kCreated,
     {"the Quopra script was written", MessageOf(DiffMessage::kCreated).text}},
    {DiffMessage::kAbout,
     {"Quopra Maker\nversion " QPX_VERSION, MessageOf(DiffMessage::kAbout).text}},
};
static_assert(IsVocabulary(kFileTexts, DiffMessages::kMessages.size()));

// The pane's texts without their line end.
constexpr std::string_view kNoDifferencesText =
    kNoDifferencesLine.substr(0, kNoDifferencesLine.size() - 2);

constexpr TextRow<Message> kMessages[] = {
    {Message::kLoadFailed, {"the script could not be read", Outcome::kLoadFailed.text}},
    {Message::kNoRegistry, kNoRegistryTexts},
    {Message::kWhere, {"%1 unit %2: %3", "%1 ユニット %2: %3"}},
    {Message::kNoCp932Form,
     {" (the name has no CP932 form)", " (この名前はCP932で書き表せません)"}},
    {Message::kSizesDiffer,
     {"the first and the second file differ in size: no script can be written",
      "1つ目のファイルと2つ目のファイルのサイズが違います。スクリプトファイルは書き出せません。"}},
    {Message::kNoDifferences, {"the files do not differ", kNoDifferencesText}},
    {Message::kCannotName,
     {"%1: no script can name this file (a double quote or a control character in its name)",
      "%1: この名前はスクリプトに書けません (名前に二重引用符か制御文字があります)"}},
};
static_assert(IsVocabulary(kMessages, static_cast<size_t>(Message::kCount)));

}  // namespace

std::string_view ReasonText(int32_t reason, Language language) {
  const Outcome::ReasonRow& row = ReasonOf(reason);
  return Texts{row.english, row.message.text}.In(language);
}

std::string_view FileText(DiffMessage message, Language language) {
  return TextOf(kFileTexts, message, language);
}

std::string_view MessageText(Message message, Language language) {
  return TextOf(kMessages, message, language);
}
