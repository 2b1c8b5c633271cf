#include "console/TargetPrompt.h"

#include "console/Commands.h"
#include "console/Output.h"
#include "text/ShownText.h"

std::string DescribeFileTypes(const std::string& filter) {
  std::string described;
  size_t at = 0;
  while (at < filter.size() && filter[at] != '\0') {
    size_t descriptionEnd = filter.find('\0', at);
    if (descriptionEnd == std::string::npos) break;
    size_t patternEnd = filter.find('\0', descriptionEnd + 1);
    if (patternEnd == std::string::npos) patternEnd = filter.size();
    if (!described.empty()) described += ", ";
    described += ShownText(filter.substr(at, descriptionEnd - at)) + " (" +
                 ShownText(filter.substr(descriptionEnd + 1, patternEnd - descriptionEnd - 1)) +
                 ")";
    at = patternEnd + 1;
  }
  return described;
}

namespace {

// What qpx asks on the terminal for a "#path dialog" section: %1 the
// title, %2 the proposed name, %3 the file types.
enum class Prompt { kAskTarget, kCount };

constexpr TextRow<Prompt> kPromptTexts[] = {
    {Prompt::kAskTarget,
     {"qpx: the script asks for its target file\n"
      "  title: %1\n"
      "  proposed name: %2\n"
      "  file types: %3\n"
      "target file (an empty line cancels): ",
      "qpx: スクリプトが操作するファイルを尋ねています\n"
      "  タイトル: %1\n"
      "  提案されたファイル名: %2\n"
      "  ファイルの種類: %3\n"
      "操作するファイル (空行でキャンセル): "}},
};
static_assert(IsVocabulary(kPromptTexts, static_cast<size_t>(Prompt::kCount)));

}  // namespace

FileChoice AskTargetOnTerminal(const DialogRequest& request, Language language,
                               std::string& chosen) {
  COutput prompt(platform::StdStream::kError);
  prompt.WriteText(Fill(
      TextOf(kPromptTexts, Prompt::kAskTarget, language),
      {ShownText(request.title), ShownText(request.fileName), DescribeFileTypes(request.filter)}));
  prompt.Flush();
  platform::CommandArgument line;
  if (!platform::ReadStdLine(line) || line.text.empty()) return FileChoice::kCancelled;
  if (!line.hasCp932Form) {
    prompt.WriteText("qpx: " + line.text + ":" + NoCp932FormNote(line, language) + "\n");
    return FileChoice::kRefused;
  }
  chosen = line.text;
  return FileChoice::kChosen;
}
