#include "console/Progress.h"

#include "platform/Console.h"
#include "platform/Files.h"
#include "text/PathSplitter.h"

namespace {

constexpr int kBarWidth = 24;

void WriteError(const std::string& bytes) {
  platform::WriteStd(platform::StdStream::kError, bytes.data(), bytes.size());
}

}  // namespace

uint64_t FileSize(const std::string& path) {
  platform::CAutoCloseFile file(platform::Open(path, 0));
  if (!file.IsValid()) return 0;
  int64_t length = platform::FileLength(file.Get());
  return length < 0 ? 0 : static_cast<uint64_t>(length);
}

std::string ProgressLine(uint64_t step, uint64_t total, std::string_view what, int columns) {
  uint64_t finished = step > 0 ? step - 1 : 0;
  uint64_t filled = total == 0 || finished >= total ? kBarWidth : finished * kBarWidth / total;
  std::string line = "qpx [";
  line.append(static_cast<size_t>(filled), '#');
  line.append(static_cast<size_t>(kBarWidth - filled), '.');
  line += "] " + std::to_string(step) + "/" + std::to_string(total) + " ";
  line += what;
  // Cut before a double-byte character that would not fit whole, and
  // padded to clear the previous line.
  size_t width = columns > 1 ? static_cast<size_t>(columns - 1) : 0;
  size_t fits = 0;
  while (fits < line.size()) {
    size_t next = fits + (IsLeadByte(static_cast<unsigned char>(line[fits])) ? 2 : 1);
    if (next > width) break;
    fits = next;
  }
  line.resize(fits);
  line.resize(width, ' ');
  return line;
}

CProgress::CProgress(bool show)
    : shown_(show && platform::IsTerminal(platform::StdStream::kError)) {}

CProgress::~CProgress() {
  if (!shown_) return;
  int columns = platform::TerminalColumns(platform::StdStream::kError);
  std::string blank(columns > 1 ? static_cast<size_t>(columns + 1) : 2, ' ');
  blank.front() = '\r';
  blank.back() = '\r';
  WriteError(blank);
}

void CProgress::Step(std::string_view what) {
  if (!shown_) return;
  int columns = platform::TerminalColumns(platform::StdStream::kError);
  // Counted in bytes of the CP932 text, so a long name is cut early rather
  // than wrapped.
  WriteError("\r");
  platform::WriteStdText(platform::StdStream::kError, ProgressLine(1, 1, what, columns));
}
