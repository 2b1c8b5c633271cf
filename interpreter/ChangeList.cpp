#include "interpreter/ChangeList.h"

#include <algorithm>

#include "interpreter/Messages.h"
#include "text/PathSplitter.h"
#include "text/ShownText.h"

namespace {

enum class Line {
  kRegistry,    // %1 the value path, %2 its type and data
  kFile,        // %1 the full path, %2 the bytes that change
  kDialogFile,  // %1 the bytes stored to
  kUnchanged,   // %1 the files
  kNotShown,    // %1 files (every registry value is shown)
  kNothing,     //
  kStops,       // %1 the reason
  kCut,         // ends a line cut short
  kCount
};

constexpr TextRow<Line> kLines[] = {
    {Line::kRegistry, {"registry: %1 = %2", "レジストリ: %1 = %2"}},
    {Line::kFile, {"file: %1 (%2 bytes change)", "ファイル: %1 (%2 バイトが変わります)"}},
    {Line::kDialogFile,
     {"file: (the file chosen in the dialog) (up to %1 bytes change)",
      "ファイル: (ダイアログで選ぶファイル) (最大 %1 バイトが変わります)"}},
    {Line::kUnchanged, {"files that would not change: %1", "変わらないファイル: %1 個"}},
    {Line::kNotShown,
     {"not shown: %1 more files that would change",
      "表示しきれないもの: ほかに変わるファイル %1 件"}},
    {Line::kNothing, {"(nothing would change)", "(何も変わりません)"}},
    {Line::kStops, {"the run stops here: %1", "実行はここで止まります: %1"}},
    {Line::kCut, {"... (cut short)", "...(長いため省略)"}},
};
static_assert(IsVocabulary(kLines, static_cast<size_t>(Line::kCount)));

std::string RegistryLine(const RecordedValue& value, Language language) {
  return Say(kLines, Line::kRegistry, language, {ShownText(value.path), DescribeValue(value)});
}

std::string FileLine(const FileChange& file, Language language) {
  const std::string bytes = std::to_string(file.bytes);
  if (file.path.empty()) return Say(kLines, Line::kDialogFile, language, {bytes});
  return Say(kLines, Line::kFile, language, {ShownText(file.path), bytes});
}

}  // namespace

std::string FittedLine(const std::string& line, size_t longest, Language language) {
  if (line.size() <= longest) return line;
  const std::string_view cut = TextOf(kLines, Line::kCut, language);
  const size_t room = longest > cut.size() ? longest - cut.size() : 0;
  size_t fits = 0;
  while (fits < line.size()) {
    size_t next = fits + (IsLeadByte(static_cast<unsigned char>(line[fits])) ? 2 : 1);
    if (next > room) break;
    fits = next;
  }
  return line.substr(0, fits) + std::string(cut);
}

bool RegistryValuesFit(const RunChanges& changes, const ChangeListLayout& layout) {
  if (changes.values.size() > layout.mostLines) return false;
  return std::all_of(changes.values.begin(), changes.values.end(),
                     [&layout](const RecordedValue& value) {
                       return RegistryLine(value, Language::kJapanese).size() <= layout.longestLine;
                     });
}

std::string DescribeChanges(const RunChanges& changes, const ChangeListLayout& layout,
                            std::string_view indent, Language language) {
  std::string text;
  auto add = [&text, indent](const std::string& line) {
    text.append(indent).append(line).append("\n");
  };
  for (const RecordedValue& value : changes.values) add(RegistryLine(value, language));
  // Files take the lines that the values, the line of unchanged files and
  // the stop leave, less one for the count of those not shown.
  const size_t taken =
      changes.values.size() + (changes.unchangedFiles != 0) + changes.stop.has_value();
  const size_t room = layout.mostLines > taken ? layout.mostLines - taken : 0;
  const size_t shown = changes.files.size() <= room ? changes.files.size() : room - (room != 0);
  for (size_t at = 0; at < shown; ++at) {
    add(FittedLine(FileLine(changes.files[at], language), layout.longestLine, language));
  }
  if (changes.unchangedFiles != 0) {
    add(Say(kLines, Line::kUnchanged, language, {std::to_string(changes.unchangedFiles)}));
  }
  if (shown < changes.files.size()) {
    add(Say(kLines, Line::kNotShown, language, {std::to_string(changes.files.size() - shown)}));
  }
  if (changes.values.empty() && changes.files.empty()) add(Say(kLines, Line::kNothing, language));
  if (changes.stop) {
    const std::string_view reason = changes.registryMissing
                                        ? MessageText(Message::kNoRegistry, language)
                                        : ReasonText(changes.stop->reason, language);
    add(Say(kLines, Line::kStops, language, {reason}));
  }
  return text;
}
