#include "compare/ScriptText.h"

#include <string_view>

namespace {

constexpr std::string_view kPathStart = "#path \"";
constexpr std::string_view kPathEnd = "\"\r\n";
constexpr std::string_view kIndent = "    ";
constexpr std::string_view kEquals = " = ";
constexpr std::string_view kStatementEnd = " ;\r\n";
constexpr std::string_view kEnd = "#end\r\n";

constexpr uint64_t kLongestStatement =
    kIndent.size() + EvenHex::kMaxDigits + kEquals.size() + 2 + kStatementEnd.size();
// Statements per piece of a streamed script (about 1 MiB).
constexpr size_t kBatch = 1 << 16;

// The #path line and #end: what the script holds besides its statements.
uint64_t FrameSize(const std::string& escapedPath) {
  return kPathStart.size() + escapedPath.size() + kPathEnd.size() + kEnd.size();
}

void AppendPathLine(const std::string& escapedPath, CTextBuilder& text) {
  text.Append(kPathStart);
  text.Append(escapedPath);
  text.Append(kPathEnd);
}

// Writes "    address = value ;" with the value of the direction.
class CStatementWriter {
 public:
  explicit CStatementWriter(Direction direction) : forward_(direction == Direction::kForward) {}
  void operator()(CTextBuilder& text, const DiffEntry& entry) const {
    text.Append(kIndent);
    text.AppendHex(entry.address);
    text.Append(kEquals);
    text.AppendByte(forward_ ? entry.second : entry.first);
    text.Append(kStatementEnd);
  }

 private:
  bool forward_;
};

}  // namespace

const std::string& ScriptSourcePath(const std::string& firstPath, const std::string& secondPath,
                                    Direction direction) {
  return direction == Direction::kForward ? firstPath : secondPath;
}

bool ScriptCanName(const std::string& path) {
  for (char c : path) {
    if (c == '"' || static_cast<unsigned char>(c) < 0x20) return false;
  }
  return true;
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

bool StreamScript(const std::string& sourcePath, const DiffList& differences, Direction direction,
                  const TextSink& sink) {
  std::string escaped = EscapePath(sourcePath);
  CTextBuilder text(FrameSize(escaped) + kLongestStatement * kBatch);
  AppendPathLine(escaped, text);
  if (!StreamItems(differences, kBatch, text, CStatementWriter(direction), sink)) return false;
  text.Append(kEnd);
  return sink(text.Text());
}
