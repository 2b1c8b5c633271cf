// The choice of the user's language from what the system says, the same
// on every system so that both sides' choices are tested anywhere.
#include "platform/Console.h"

namespace platform {

namespace {

// "ja", "ja_JP", "ja_JP.UTF-8", "ja@...": a name of the Japanese language.
bool NamesJapanese(std::string_view name) {
  if (name.substr(0, 2) != "ja") return false;
  return name.size() == 2 || name[2] == '_' || name[2] == '.' || name[2] == '@';
}

bool NamesEnglish(std::string_view name) {
  if (name.substr(0, 2) != "en") return false;
  return name.size() == 2 || name[2] == '_' || name[2] == '.' || name[2] == '@';
}

// The C locale in any of its names: there gettext translates nothing.
bool IsCLocale(std::string_view locale) {
  return locale.empty() || locale == "C" || locale == "POSIX" || locale.substr(0, 2) == "C.";
}

}  // namespace

Language LanguageOfLocale(std::string_view lcAll, std::string_view lcMessages,
                          std::string_view lang, std::string_view languageList) {
  std::string_view locale = !lcAll.empty() ? lcAll : !lcMessages.empty() ? lcMessages : lang;
  if (IsCLocale(locale)) return Language::kEnglish;
  if (languageList.empty()) {
    return NamesJapanese(locale) ? Language::kJapanese : Language::kEnglish;
  }
  while (!languageList.empty()) {
    size_t colon = languageList.find(':');
    std::string_view entry = languageList.substr(0, colon);
    if (NamesJapanese(entry)) return Language::kJapanese;
    if (NamesEnglish(entry)) return Language::kEnglish;
    languageList.remove_prefix(colon == std::string_view::npos ? languageList.size() : colon + 1);
  }
  return Language::kEnglish;  // no entry has texts: gettext shows the English ones
}

Language LanguageOfUiLanguage(uint16_t langId) {
  constexpr uint16_t kLangJapanese = 0x11;  // the primary language in the low ten bits
  return (langId & 0x3FF) == kLangJapanese ? Language::kJapanese : Language::kEnglish;
}

}  // namespace platform
