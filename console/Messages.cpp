#include "console/Messages.h"

namespace {

constexpr TextRow<ConsoleMessage> kMessages[] = {
    {ConsoleMessage::kOutOfMemory, {"out of memory", "メモリが足りません"}},
    {ConsoleMessage::kInternalFault, {"internal fault: %1", "内部エラー: %1"}},
    {ConsoleMessage::kLoading, {"loading %1", "%1 を読み込んでいます"}},
    {ConsoleMessage::kComparing, {"comparing %1 %2", "%1 と %2 を比べています"}},
    {ConsoleMessage::kOutputIsInput,
     {"%1: the output is %2, a compared file; nothing written",
      "%1: 出力先は比較したファイル %2 です。何も書きません"}},
    {ConsoleMessage::kNoFullPath,
     {"%1: its full path has no CP932 form", "%1: 完全なパスをCP932で書き表せません"}},
    {ConsoleMessage::kSaving, {"saving %1", "%1 に保存しています"}},
    {ConsoleMessage::kFromInternet,
     {"%1 came from the internet%2. A script can change any file you may write and any\n"
      "registry value of yours. Running it would change:",
      "%1 はインターネットから取得したスクリプトです%2。スクリプトは、あなたが書き込める\n"
      "ファイルとレジストリの値を書き換えられます。実行すると次のものが変わります:"}},
    {ConsoleMessage::kRunIt,
     {"Run it only if you trust where it came from. Run it? [y/N] ",
      "取得元を信頼できる場合だけ実行してください。実行しますか? [y/N] "}},
    {ConsoleMessage::kNeedsTrust,
     {"%1 came from the internet and is not run without a terminal to ask; --trust runs it",
      "%1 はインターネットから取得したため、確認できる端末がなければ実行しません。"
      "--trust で実行します"}},
    {ConsoleMessage::kRestricted,
     {"%1 came from a restricted site and is not run",
      "%1 は制限付きサイトから取得したため、実行しません"}},
};
static_assert(IsVocabulary(kMessages, static_cast<size_t>(ConsoleMessage::kCount)));

}  // namespace

std::string_view MessageText(ConsoleMessage message, Language language) {
  return TextOf(kMessages, message, language);
}
