#include "qpxrun/DownloadedScript.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/Message.h"
#include "interpreter/DryRun.h"
#include "interpreter/Outcome.h"
#include "interpreter/ScriptRun.h"
#include "language/Vocabulary.h"
#include "platform/Files.h"
#include "text/PathSplitter.h"
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
constexpr std::string_view kFile = "ファイル: ";
constexpr std::string_view kChosenInADialog = "ファイル: (ダイアログで選ぶファイル)";
constexpr std::string_view kRegistry = "レジストリ: ";
constexpr std::string_view kMore = "ほか %1 件";
constexpr std::string_view kNotKnownBefore = "(この後は実行するまで分かりません)";
constexpr std::string_view kNothing = "(何も変わりません)";
constexpr std::string_view kRunIt = "取得元を信頼できる場合だけ実行してください。実行しますか？";

constexpr size_t kMostLines = 20;
// Long enough for a full path; a longer registry value is cut.
constexpr size_t kLongestLine = 300;

// The pieces one after another.
std::string Joined(std::initializer_list<std::string_view> pieces) {
  std::string text;
  for (std::string_view piece : pieces) text.append(piece);
  return text;
}

// A line cut to kLongestLine bytes, never inside a double-byte character.
std::string Fitted(const std::string& line) {
  if (line.size() <= kLongestLine) return line;
  size_t fits = 0;
  while (fits < line.size()) {
    size_t next = fits + (IsLeadByte(static_cast<unsigned char>(line[fits])) ? 2 : 1);
    if (next > kLongestLine - 3) break;
    fits = next;
  }
  return Joined({std::string_view(line).substr(0, fits), "..."});
}

std::string FullPath(const std::string& target) {
  std::string full;
  return platform::GetFullPath(target, full) ? full : target;
}

std::vector<std::string> ChangeLines(const std::vector<SectionReport>& sections) {
  std::vector<std::string> lines;
  for (const SectionReport& section : sections) {
    if (section.directive == kDirectivePath) {
      lines.push_back(section.target.empty()
                          ? std::string(kChosenInADialog)
                          : Joined({kFile, ShownText(FullPath(section.target))}));
    }
    for (const RecordedValue& value : section.values) {
      lines.push_back(Joined({kRegistry, ShownText(value.path), " = ", DescribeValue(value)}));
    }
  }
  return lines;
}

// The question: where the script came from, what running it would
// change, at most kMostLines of it, and whether to run it.
std::string Question(const platform::OriginMark& mark, const std::vector<std::string>& lines,
                     bool complete) {
  std::string text(kFromInternet);
  if (!mark.url.empty()) text += Joined({"\n", kFrom, Fitted(ShownText(mark.url))});
  text += Joined({"\n\n", kWhatItCanDo, "\n"});
  for (size_t at = 0; at < lines.size() && at < kMostLines; ++at) {
    text += Joined({"    ", Fitted(lines[at]), "\n"});
  }
  if (lines.size() > kMostLines) {
    std::string more(kMore);
    more.replace(more.find("%1"), 2, std::to_string(lines.size() - kMostLines));
    text += Joined({"    ", more, "\n"});
  }
  if (lines.empty() && complete) text += Joined({"    ", kNothing, "\n"});
  if (!complete) text += Joined({"    ", kNotKnownBefore, "\n"});
  return text + Joined({"\n", kRunIt});
}

}  // namespace

bool ConfirmDownloadedScript(CScriptFile& script, const platform::OriginMark& mark,
                             CRunHost& host) {
  if (mark.zone == platform::Zone::kRestricted) {
    ShowMessage(nullptr, kRestricted);
    return false;
  }
  if (mark.zone != platform::Zone::kInternet) return true;
  CDryRunImage image;
  CDryRunHost dryRun(host, image, DialogFiles::kUnknown, true);
  std::optional<RunFailure> failure = RunScript(script, dryRun);
  dryRun.CloseOpenSection();
  return host.Confirm(Question(mark, ChangeLines(dryRun.Sections()), !failure.has_value()));
}
