#include "console/CheckReport.h"

#include <iterator>

#include "language/Vocabulary.h"
#include "text/ShownText.h"

namespace {

enum class Report {
  kChanges,          // %1 bytes changed, %2 bytes already new, %3 the state
  kAlreadyApplied,   //
  kPartlyApplied,    //
  kNotApplied,       //
  kWouldWrite,       // %1 the value
  kStopsBeforeEnd,   // the run fails inside the section
  kEndsInSection,    // %1 the line of its directive
  kEndsInStatement,  // %1 the line where it starts
  kNoSection,        // %1 the last line
  kChosenInADialog,  // a #path dialog section whose file is not chosen yet
  kMark,             // %1 the zone's name, %2 its number, %3 ", from URL" or nothing
  kCount
};

constexpr TextRow<Report> kReportTexts[] = {
    {Report::kChanges,
     {"%1 bytes would change, %2 already hold their new value: %3",
      "%1 バイトが変わり、%2 バイトは既に新しい値です: %3"}},
    {Report::kAlreadyApplied, {"already applied", "適用済み"}},
    {Report::kPartlyApplied, {"partly applied", "一部適用済み"}},
    {Report::kNotApplied, {"not applied", "未適用"}},
    {Report::kWouldWrite, {"would write %1", "%1 を書き込みます"}},
    {Report::kStopsBeforeEnd,
     {"the run stops before this section's #end", "このセクションの #end の前で実行が止まります"}},
    {Report::kEndsInSection,
     {"line %1: the script ends inside the section begun there, with no #end",
      "%1 行目: この行で始まるセクションの途中でスクリプトが終わっています (#end がありません)"}},
    {Report::kEndsInStatement,
     {"line %1: the script ends inside the statement begun there, with no ;",
      "%1 行目: この行で始まる文の途中でスクリプトが終わっています (; がありません)"}},
    {Report::kNoSection,
     {"line %1: the script ends with no #path or #registry section: it changes nothing",
      "%1 行目: #path も #registry のセクションもないままスクリプトが終わっています。"
      "何も変更しません"}},
    {Report::kChosenInADialog,
     {"dialog (the file the user will choose)", "dialog (ユーザーが選ぶファイル)"}},
    {Report::kMark,
     {"the script came from %1 (zone %2)%3", "スクリプトの取得元: %1 (ゾーン %2)%3"}},
};
static_assert(IsVocabulary(kReportTexts, static_cast<size_t>(Report::kCount)));

// By zone, from 0.
constexpr Texts kZoneNames[] = {
    {"this computer", "このコンピューター"}, {"the local intranet", "ローカル イントラネット"},
    {"a trusted site", "信頼済みサイト"},    {"the internet", "インターネット"},
    {"a restricted site", "制限付きサイト"},
};
static_assert(std::size(kZoneNames) == static_cast<size_t>(platform::Zone::kRestricted) + 1 &&
              EveryRowHasBoth(kZoneNames));

}  // namespace

std::string MarkLine(const platform::OriginMark& mark, Language language) {
  const auto zone = static_cast<size_t>(mark.zone);
  std::string from;
  if (!mark.url.empty()) from.append(", ").append(ShownText(mark.url));
  return Say(kReportTexts, Report::kMark, language,
             {std::string(kZoneNames[zone].In(language)), std::to_string(zone), from});
}

std::string_view AppliedState(const StoreCounts& counts, Language language) {
  if (counts.changed == 0) return TextOf(kReportTexts, Report::kAlreadyApplied, language);
  if (counts.already == 0) return TextOf(kReportTexts, Report::kNotApplied, language);
  return TextOf(kReportTexts, Report::kPartlyApplied, language);
}

namespace {

std::string SectionLines(const SectionReport& section, Language language) {
  std::string text = section.directive + " ";
  if (section.directive == kDirectivePath && section.target.empty()) {
    text += Say(kReportTexts, Report::kChosenInADialog, language) + "\n";
  } else {
    text.append("\"").append(ShownText(section.target)).append("\"\n");
  }
  if (section.directive == kDirectivePath) {
    text += "  " +
            Say(kReportTexts, Report::kChanges, language,
                {std::to_string(section.counts.changed), std::to_string(section.counts.already),
                 AppliedState(section.counts, language)}) +
            "\n";
  }
  for (const RecordedValue& value : section.values) {
    text += "  " + Say(kReportTexts, Report::kWouldWrite, language, {DescribeValue(value)}) + "\n";
  }
  return text;
}

// The lines on where the script ends: under its last section when the
// script ends inside that one.
std::string EndLines(const ScriptEndLines& end, bool inLastSection, Language language) {
  std::string indent = inLastSection ? "  " : "";
  std::string text;
  if (end.openSection != 0) {
    text += indent +
            Say(kReportTexts, Report::kEndsInSection, language, {std::to_string(end.openSection)}) +
            "\n";
  }
  if (end.cutStatement != 0) {
    text +=
        indent +
        Say(kReportTexts, Report::kEndsInStatement, language, {std::to_string(end.cutStatement)}) +
        "\n";
  }
  return text;
}

}  // namespace

std::string BuildCheckReport(const std::vector<SectionReport>& sections, const ScriptEndLines& end,
                             Language language) {
  std::string text;
  for (const SectionReport& section : sections) {
    text += SectionLines(section, language);
    bool endsInside = end.reached && &section == &sections.back() && end.openSection != 0;
    if (!section.ended && !endsInside) {
      text += "  " + Say(kReportTexts, Report::kStopsBeforeEnd, language) + "\n";
    }
  }
  if (!end.reached) return text;
  bool inLastSection = !sections.empty() && !sections.back().ended && end.openSection != 0;
  text += EndLines(end, inLastSection, language);
  if (sections.empty() && end.openSection == 0) {
    text += Say(kReportTexts, Report::kNoSection, language, {std::to_string(end.last)}) + "\n";
  }
  return text;
}
