// The user's language from what the system says: the locale's variables
// as gettext reads them, and a Windows UI language.
#include <gtest/gtest.h>

#include "platform/Console.h"

namespace {

using platform::Language;

struct LocaleCase {
  const char* name;
  const char* lcAll;
  const char* lcMessages;
  const char* lang;
  const char* language;  // the LANGUAGE list
  Language expected;
};

class LanguageOfLocale : public testing::TestWithParam<LocaleCase> {};

TEST_P(LanguageOfLocale, IsTheOneGettextWouldShow) {
  const LocaleCase& c = GetParam();
  EXPECT_EQ(platform::LanguageOfLocale(c.lcAll, c.lcMessages, c.lang, c.language), c.expected);
}

constexpr Language kEn = Language::kEnglish;
constexpr Language kJa = Language::kJapanese;

INSTANTIATE_TEST_SUITE_P(
    Variables, LanguageOfLocale,
    testing::Values(LocaleCase{"Nothing", "", "", "", "", kEn},
                    LocaleCase{"CUtf8", "", "", "C.UTF-8", "", kEn},
                    LocaleCase{"JapaneseLang", "", "", "ja_JP.UTF-8", "", kJa},
                    LocaleCase{"JapaneseEucLang", "", "", "ja_JP.eucJP", "", kJa},
                    LocaleCase{"BareJa", "", "", "ja", "", kJa},
                    LocaleCase{"OtherLanguageStartingWithJa", "", "", "jam_JM", "", kEn},
                    LocaleCase{"MessagesBeforeLang", "", "en_US.UTF-8", "ja_JP.UTF-8", "", kEn},
                    LocaleCase{"AllBeforeMessages", "ja_JP.UTF-8", "en_US.UTF-8", "", "", kJa},
                    LocaleCase{"LanguageListFirst", "", "", "en_US.UTF-8", "ja:en", kJa},
                    LocaleCase{"LanguageListSkipsOthers", "", "", "ja_JP.UTF-8", "fr:en", kEn},
                    LocaleCase{"LanguageListOfOthersOnly", "", "", "ja_JP.UTF-8", "fr:de", kEn},
                    LocaleCase{"LanguageIgnoredInCLocale", "C", "", "", "ja", kEn},
                    LocaleCase{"LanguageIgnoredInCUtf8Locale", "", "", "C.UTF-8", "ja", kEn},
                    LocaleCase{"LanguageIgnoredWithoutALocale", "", "", "", "ja", kEn},
                    LocaleCase{"LanguageIgnoredInPosixLocale", "", "POSIX", "ja_JP", "ja", kEn}),
    [](const testing::TestParamInfo<LocaleCase>& info) { return std::string(info.param.name); });

TEST(LanguageOfUiLanguage, IsJapaneseForEveryJapaneseIdentifier) {
  EXPECT_EQ(platform::LanguageOfUiLanguage(0x0411), kJa);  // ja-JP
  EXPECT_EQ(platform::LanguageOfUiLanguage(0x0011), kJa);  // ja, no region
  EXPECT_EQ(platform::LanguageOfUiLanguage(0x0409), kEn);  // en-US
  EXPECT_EQ(platform::LanguageOfUiLanguage(0x0412), kEn);  // ko-KR
}

}  // namespace
