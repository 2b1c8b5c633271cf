#include "diff/Listing.h"

#include "diff/TextBuilder.h"

namespace {

constexpr std::string_view kHeaderStart = "Address = ";
constexpr std::string_view kPathSeparator = " : ";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kEquals = " = ";

// address, " = ", two digits, " : ", two digits, CR LF
constexpr uint64_t kLongestLine = EvenHex::kMaxDigits + kEquals.size() + 2 +
                                  kPathSeparator.size() + 2 + kLineEnd.size();

}  // namespace

std::string BuildListing(const std::string& firstPath, const std::string& secondPath,
                         const DiffList& differences) {
  uint64_t capacity = kHeaderStart.size() + firstPath.size() + kPathSeparator.size() +
                      secondPath.size() + kLineEnd.size() + kNoDifferencesLine.size() +
                      kLongestLine * differences.size();
  CTextBuilder text(capacity);
  text.Append(kHeaderStart);
  text.Append(firstPath);
  text.Append(kPathSeparator);
  text.Append(secondPath);
  text.Append(kLineEnd);
  if (differences.empty()) text.Append(kNoDifferencesLine);
  for (const DiffEntry& entry : differences) {
    text.AppendHex(entry.address);
    text.Append(kEquals);
    text.AppendByte(entry.first);
    text.Append(kPathSeparator);
    text.AppendByte(entry.second);
    text.Append(kLineEnd);
  }
  return text.Finish();
}
