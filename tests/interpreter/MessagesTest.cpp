// The messages qpx and the page show: the Japanese texts are qpxrun's and
// qpxdiff's own, the English ones each their own, and values go where each
// language puts them.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "interpreter/Messages.h"
#include "interpreter/Outcome.h"

namespace {

TEST(ReasonText, IsQpxrunsMessageInJapaneseAndItsOwnInEnglish) {
  std::set<std::string_view> english;
  for (int32_t reason = -1; reason <= static_cast<int32_t>(kReasonCount); ++reason) {
    EXPECT_EQ(ReasonText(reason, Language::kJapanese), ReasonMessage(reason).text) << reason;
    english.insert(ReasonText(reason, Language::kEnglish));
  }
  EXPECT_EQ(english.size(), kReasonCount + 1);  // each reason, and any other code
}

TEST(FileText, IsQpxdiffsMessageInJapaneseAndItsOwnInEnglish) {
  std::set<std::string_view> english;
  for (const DiffMessages::MessageRow& row : DiffMessages::kMessages) {
    EXPECT_EQ(FileText(row.message, Language::kJapanese), row.shown.text);
    english.insert(FileText(row.message, Language::kEnglish));
  }
  EXPECT_EQ(english.size(), DiffMessages::kMessages.size());
}

TEST(Fill, PutsEachValueWhereTheTextNamesItAndOnlyThere) {
  EXPECT_EQ(Fill("%2 then %1", {"a", "b"}), "b then a");
  EXPECT_EQ(Fill("%1%", {"%2"}), "%2%");
  EXPECT_EQ(Fill("100% %3", {"x"}), "100% %3");
}

}  // namespace
