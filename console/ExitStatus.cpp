#include "console/ExitStatus.h"

#include <array>
#include <iterator>

#include "interpreter/Messages.h"
#include "interpreter/Outcome.h"
#include "language/ParseScriptException.h"

namespace {

constexpr ExitStatusRow kBeforeReasons[] = {
    {kExitSuccess, {"success (check: the run would succeed)", "成功 (check: 実行は成功します)"}},
    {kExitInternal, {"out of memory or an internal fault", "メモリ不足または内部エラー"}},
    {kExitUsage, {"the command line is faulty", "コマンドラインに誤りがあります"}},
    {kExitLoadFailed, {"the script could not be read", "スクリプトを読み込めませんでした"}},
};

constexpr ExitStatusRow kAfterReasons[] = {
    {kExitOtherReason, {"the run stopped for another reason", "その他の理由で実行が止まりました"}},
    {kExitNoRegistry, kNoRegistryTexts},
    {kExitFirstUnreadable, {"the first file cannot be read", "1つ目のファイルを読み込めません"}},
    {kExitSecondUnreadable, {"the second file cannot be read", "2つ目のファイルを読み込めません"}},
    {kExitSizesDiffer, {"the two files differ in size", "2つのファイルのサイズが違います"}},
    {kExitNoDifferences,
     {"diff: the files are equal, no script written",
      "diff: ファイルが同じなので、スクリプトを書きません"}},
    {kExitCannotCreate,
     {"diff: the script file cannot be created", "diff: スクリプトファイルを作成できません"}},
    {kExitCannotWrite, {"the output cannot be written", "出力を書き込めません"}},
    {kExitOutputIsInput,
     {"diff: the output is one of the compared files, nothing written",
      "diff: 出力が比較したファイルのひとつなので、何も書きません"}},
    {kExitCannotName,
     {"diff: no script can name the file it would change",
      "diff: 変更するファイルの名前をスクリプトに書けません"}},
    {kExitNotTrusted,
     {"a downloaded script not run: not confirmed, or from a restricted site",
      "インターネットから取得したスクリプトを実行しません: 確認されなかったか、"
      "制限付きサイトから取得したものです"}},
};

constexpr auto kRows = [] {
  std::array<ExitStatusRow, std::size(kBeforeReasons) + kReasonCount + std::size(kAfterReasons)>
      rows{};
  size_t at = 0;
  for (const ExitStatusRow& row : kBeforeReasons) rows[at++] = row;
  for (size_t reason = 0; reason < kReasonCount; ++reason) {
    const Outcome::ReasonRow& row = Outcome::kReasons[reason];
    rows[at++] = {kExitReasonBase + static_cast<int>(reason),
                  {row.statusEnglish, row.statusJapanese}};
  }
  for (const ExitStatusRow& row : kAfterReasons) rows[at++] = row;
  return rows;
}();

constexpr bool EveryStatusHasBoth() {
  for (const ExitStatusRow& row : kRows) {
    if (!row.meaning.HasBoth()) return false;
  }
  return true;
}
static_assert(EveryStatusHasBoth());

}  // namespace

static_assert(kExitReasonBase + kReasonCount == kExitOtherReason,
              "one status for each reason, then the status of any other");

int ExitStatusOfReason(int32_t reason) {
  if (!IsReason(reason)) return kExitOtherReason;
  return kExitReasonBase + reason;
}

std::span<const ExitStatusRow> ExitStatusTable() { return kRows; }
