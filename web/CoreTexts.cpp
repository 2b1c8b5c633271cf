// The texts the page shows that are the core's own: the reasons a run
// stops, the comparison's messages and the other messages of a failed run
// or comparison, in English and Japanese, handed to the page by key so
// that it writes none of them again. (In this build the literals are
// UTF-8, the page's own encoding.)
#include <emscripten.h>

#include <string>
#include <string_view>
#include <utility>

#include "interpreter/Messages.h"
#include "interpreter/Outcome.h"
#include "web/PageCalls.h"

namespace {

void BothLanguages(const std::string& key, std::string_view english, std::string_view japanese) {
  page::CoreText("en", key, std::string(english));
  page::CoreText("ja", key, std::string(japanese));
}

template <typename Id>
void BothLanguages(const std::string& key, std::string_view (*text)(Id, Language), Id id) {
  BothLanguages(key, text(id, Language::kEnglish), text(id, Language::kJapanese));
}

void ReasonTexts() {
  for (size_t code = 0; code < kReasonCount; ++code) {
    BothLanguages("reasons." + std::to_string(code), ReasonText, static_cast<int32_t>(code));
  }
  BothLanguages("otherFailure", ReasonText, int32_t{-1});
}

void MessageTexts() {
  constexpr std::pair<const char*, Message> kKeys[] = {
      {"loadFailed", Message::kLoadFailed},   {"noRegistry", Message::kNoRegistry},
      {"where", Message::kWhere},             {"noCp932Form", Message::kNoCp932Form},
      {"noDifferences", Message::kNoDifferences}, {"cannotName", Message::kCannotName},
      {"sizesDiffer", Message::kSizesDiffer},
  };
  for (const auto& [key, message] : kKeys) BothLanguages(key, MessageText, message);
}

void ComparisonTexts() {
  constexpr std::pair<const char*, DiffMessage> kKeys[] = {
      {"firstLoadFailed", DiffMessage::kFirstLoadFailed},
      {"secondLoadFailed", DiffMessage::kSecondLoadFailed},
      {"outOfMemory", DiffMessage::kOutOfMemory},
  };
  for (const auto& [key, message] : kKeys) BothLanguages(key, FileText, message);
}

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void qpx_texts() {
  ReasonTexts();
  MessageTexts();
  ComparisonTexts();
}
