#include "compare/Listing.h"

#include "text/TextBuilder.h"

namespace {

constexpr std::string_view kHeaderStart = "Address = ";
constexpr std::string_view kPathSeparator = " : ";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kEquals = " = ";

// address, " = ", two digits, " : ", two digits, CR LF
constexpr uint64_t kLongestLine = EvenHex::kMaxDigits + kEquals.size() + 2 +
                                  kPathSeparator.size() + 2 + kLineEnd.size();
// Lines per piece of a streamed listing (about 1 MiB).
constexpr size_t kBatch = 1 << 16;

// The header line, and the no-differences line where it belongs.
uint64_t OpeningSize(const std::string& first, const std::string& second,
                     std::string_view noDifferences) {
  return kHeaderStart.size() + first.size() + kPathSeparator.size() + second.size() +
         kLineEnd.size() + noDifferences.size();
}

void AppendOpening(const std::string& first, const std::string& second,
                   std::string_view noDifferences, bool none, CTextBuilder& text) {
  text.Append(kHeaderStart);
  text.Append(first);
  text.Append(kPathSeparator);
  text.Append(second);
  text.Append(kLineEnd);
  if (none) text.Append(noDifferences);
}

void AppendLine(CTextBuilder& text, const DiffEntry& entry) {
  text.AppendHex(entry.address);
  text.Append(kEquals);
  text.AppendByte(entry.first);
  text.Append(kPathSeparator);
  text.AppendByte(entry.second);
  text.Append(kLineEnd);
}

}  // namespace

bool StreamListing(const std::string& firstPath, const std::string& secondPath,
                   const DiffList& differences, const TextSink& sink,
                   std::string_view noDifferences) {
  CTextBuilder text(OpeningSize(firstPath, secondPath, noDifferences) + kLongestLine * kBatch);
  AppendOpening(firstPath, secondPath, noDifferences, differences.empty(), text);
  return StreamItems(differences, kBatch, text, AppendLine, sink) &&
         (text.Text().empty() || sink(text.Text()));
}
