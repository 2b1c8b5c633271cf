#include "diff/ScriptText.h"

#include <string_view>

#include "diff/TextBuilder.h"

namespace {

constexpr std::string_view kPathStart = "#path \"";
constexpr std::string_view kPathEnd = "\"\r\n";
constexpr std::string_view kIndent = "    ";
constexpr std::string_view kEquals = " = ";
constexpr std::string_view kStatementEnd = " ;\r\n";
constexpr std::string_view kEnd = "#end\r\n";

constexpr uint64_t kLongestStatement =
    kIndent.size() + EvenHex::kMaxDigits + kEquals.size() + 2 + kStatementEnd.size();

}  // namespace

const std::string& ScriptSourcePath(const std::string& firstPath, const std::string& secondPath,
                                    Direction direction) {
  return direction == Direction::kForward ? firstPath : secondPath;
}

std::string EscapePath(const std::string& path) {
  std::string escaped;
  escaped.reserve(path.size() * 2);
  for (char c : path) {
    if (c == '\\') {
      escaped += "\\\\";
    } else if (c == ' ') {
      escaped += "\\s";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string BuildScript(const std::string& sourcePath, const DiffList& differences,
                        Direction direction) {
  std::string escaped = EscapePath(sourcePath);
  uint64_t capacity = kPathStart.size() + escaped.size() + kPathEnd.size() +
                      kLongestStatement * differences.size() + kEnd.size();
  CTextBuilder text(capacity);
  text.Append(kPathStart);
  text.Append(escaped);
  text.Append(kPathEnd);
  bool forward = direction == Direction::kForward;
  for (const DiffEntry& entry : differences) {
    text.Append(kIndent);
    text.AppendHex(entry.address);
    text.Append(kEquals);
    text.AppendByte(forward ? entry.second : entry.first);
    text.Append(kStatementEnd);
  }
  text.Append(kEnd);
  return text.Finish();
}
