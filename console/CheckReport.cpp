#include "console/CheckReport.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "console/ShownText.h"
#include "language/Vocabulary.h"
#include "platform/Registry.h"
#include "text/EvenHex.h"
#include "text/LittleEndian.h"

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
  kDwordOfSize,      // %1 its size in bytes
  kType,             // %1 an unknown value type
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
    {Report::kDwordOfSize, {"REG_DWORD (%1 bytes)", "REG_DWORD (%1 バイト)"}},
    {Report::kType, {"type %1", "型 %1"}},
};
static_assert(IsVocabulary(kReportTexts, static_cast<size_t>(Report::kCount)));

std::string DescribeDword(const std::string& data, Language language) {
  if (data.size() != 4)
    return Say(kReportTexts, Report::kDwordOfSize, language, {std::to_string(data.size())});
  std::array<unsigned char, 4> bytes;
  std::copy(data.begin(), data.end(), bytes.begin());
  uint32_t value = FromLittleEndian(bytes);
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(value));
  return "REG_DWORD " + std::to_string(value) + " (" + hex + ")";
}

std::string DescribeBinary(const std::string& data) {
  std::string text = "REG_BINARY";
  for (char byte : data) {
    char digits[2];
    EvenHex::WriteByte(static_cast<unsigned char>(byte), digits);
    text += ' ';
    text.append(digits, 2);
  }
  return text;
}

}  // namespace

std::string_view AppliedState(const StoreCounts& counts, Language language) {
  if (counts.changed == 0) return TextOf(kReportTexts, Report::kAlreadyApplied, language);
  if (counts.already == 0) return TextOf(kReportTexts, Report::kNotApplied, language);
  return TextOf(kReportTexts, Report::kPartlyApplied, language);
}

std::string DescribeValue(const RecordedValue& value, Language language) {
  switch (value.type) {
    case platform::kRegDword:
      return DescribeDword(value.data, language);
    case platform::kRegSz:
      // The data ends with the string's terminating NUL.
      return "REG_SZ \"" + ShownText(value.data.substr(0, value.data.find('\0'))) + "\"";
    case platform::kRegBinary:
      return DescribeBinary(value.data);
  }
  return Say(kReportTexts, Report::kType, language, {std::to_string(value.type)});
}

namespace {

std::string SectionLines(const SectionReport& section, Language language) {
  std::string text = section.directive + " \"" + ShownText(section.target) + "\"\n";
  if (section.directive == kDirectivePath) {
    text += "  " +
            Say(kReportTexts, Report::kChanges, language,
                {std::to_string(section.counts.changed), std::to_string(section.counts.already),
                 AppliedState(section.counts, language)}) +
            "\n";
  }
  for (const RecordedValue& value : section.values) {
    text += "  " +
            Say(kReportTexts, Report::kWouldWrite, language, {DescribeValue(value, language)}) +
            "\n";
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
