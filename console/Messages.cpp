#include "console/Messages.h"

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
    {Message::kNoRegistry,
     {"no registry on this system", "このシステムにはレジストリがありません"}},
    {Message::kWhere, {"%1 unit %2: %3", "%1 ユニット %2: %3"}},
    {Message::kNoCp932Form,
     {" (the name has no CP932 form)", " (この名前はCP932で書き表せません)"}},
    {Message::kOutOfMemory, {"out of memory", "メモリが足りません"}},
    {Message::kInternalFault, {"internal fault: %1", "内部エラー: %1"}},
    {Message::kLoading, {"loading %1", "%1 を読み込んでいます"}},
    {Message::kComparing, {"comparing %1 %2", "%1 と %2 を比べています"}},
    {Message::kSizesDiffer,
     {"the first and the second file differ in size: no script can be written",
      "1つ目のファイルと2つ目のファイルのサイズが違います。スクリプトファイルは書き出せません。"}},
    {Message::kNoDifferences, {"the files do not differ", kNoDifferencesText}},
    {Message::kOutputIsInput,
     {"%1: the output is %2, a compared file; nothing written",
      "%1: 出力先は比較したファイル %2 です。何も書きません"}},
    {Message::kNoFullPath,
     {"%1: its full path has no CP932 form", "%1: 完全なパスをCP932で書き表せません"}},
    {Message::kCannotName,
     {"%1: no script can name this file (a double quote or a control character in its name)",
      "%1: この名前はスクリプトに書けません (名前に二重引用符か制御文字があります)"}},
    {Message::kSaving, {"saving %1", "%1 に保存しています"}},
    {Message::kFromInternet,
     {"%1 came from the internet%2. A script can change any file you may write and any\n"
      "registry value of yours. Running it would change:",
      "%1 はインターネットから取得したスクリプトです%2。スクリプトは、あなたが書き込める\n"
      "ファイルとレジストリの値を書き換えられます。実行すると次のものが変わります:"}},
    {Message::kRunIt,
     {"Run it only if you trust where it came from. Run it? [y/N] ",
      "取得元を信頼できる場合だけ実行してください。実行しますか? [y/N] "}},
    {Message::kNeedsTrust,
     {"%1 came from the internet and is not run without a terminal to ask; --trust runs it",
      "%1 はインターネットから取得したため、確認できる端末がなければ実行しません。"
      "--trust で実行します"}},
    {Message::kRestricted,
     {"%1 came from a restricted site and is not run",
      "%1 は制限付きサイトから取得したため、実行しません"}},
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
