#include "compare/Listing.h"

#include <algorithm>
#include <span>

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

// The opening lines (the header, then the no-differences line where it
// belongs) that fall in [first, end).
void AppendOpening(const std::string& firstPath, const std::string& secondPath,
                   std::string_view noDifferences, bool none, size_t first, size_t end,
                   CTextBuilder& text) {
  if (first == 0 && end > 0) {
    text.Append(kHeaderStart);
    text.Append(firstPath);
    text.Append(kPathSeparator);
    text.Append(secondPath);
    text.Append(kLineEnd);
  }
  if (none && first <= 1 && end > 1) text.Append(noDifferences);
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

size_t ListingLineCount(const DiffList& differences) {
  return 1 + std::max<size_t>(differences.size(), 1);
}

bool StreamListing(const std::string& firstPath, const std::string& secondPath,
                   const DiffList& differences, const TextSink& sink,
                   std::string_view noDifferences, ListingLines lines) {
  size_t total = ListingLineCount(differences);
  size_t first = std::min(lines.first, total);
  size_t end = first + std::min(lines.count, total - first);
  CTextBuilder text(OpeningSize(firstPath, secondPath, noDifferences) +
                    kLongestLine * std::min(end - first, kBatch));
  AppendOpening(firstPath, secondPath, noDifferences, differences.empty(), first, end, text);
  // Line i past the header is the difference i - 1.
  size_t from = std::max<size_t>(first, 1) - 1;
  size_t to = std::min(std::max<size_t>(end, 1) - 1, differences.size());
  std::span<const DiffEntry> shown(differences.data() + std::min(from, to), differences.data() + to);
  return StreamItems(shown, kBatch, text, AppendLine, sink) &&
         (text.Text().empty() || sink(text.Text()));
}
