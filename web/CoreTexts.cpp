// The texts the page shows that are the core's own: the reasons a run
// stops and the comparison's messages, in English and Japanese, handed to
// the page by key so that it writes none of them again. (In this build
// the literals are UTF-8, the page's own encoding.)
#include <emscripten.h>

#include <string>
#include <string_view>

#include "compare/DiffMessages.h"
#include "compare/Listing.h"
#include "interpreter/Outcome.h"
#include "web/PageCalls.h"

namespace {

// The text without its CR LF line ends, as the page shows lines.
std::string Lines(std::string_view text) {
  std::string lines;
  for (char c : text) {
    if (c != '\r') lines += c;
  }
  while (!lines.empty() && lines.back() == '\n') lines.pop_back();
  return lines;
}

void ReasonTexts() {
  int code = 0;
  for (const Outcome::ReasonRow& row : Outcome::kReasons) {
    std::string key = "reasons." + std::to_string(code++);
    page::CoreText("en", key, std::string(row.english));
    page::CoreText("ja", key, std::string(row.message.text));
  }
  page::CoreText("en", "otherFailure", std::string(Outcome::kOtherFailure.english));
  page::CoreText("ja", "otherFailure", std::string(Outcome::kOtherFailure.message.text));
  page::CoreText("ja", "loadFailed", std::string(Outcome::kLoadFailed.text));
}

void ComparisonTexts() {
  page::CoreText("ja", "firstLoadFailed", std::string(MessageOf(DiffMessage::kFirstLoadFailed).text));
  page::CoreText("ja", "secondLoadFailed", std::string(MessageOf(DiffMessage::kSecondLoadFailed).text));
  page::CoreText("ja", "outOfMemory", std::string(MessageOf(DiffMessage::kOutOfMemory).text));
  page::CoreText("ja", "sizesDiffer", Lines(kSizeMismatchText));
  page::CoreText("ja", "noDifferences", Lines(kNoDifferencesLine));
}

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void qpx_texts() {
  ReasonTexts();
  ComparisonTexts();
}
