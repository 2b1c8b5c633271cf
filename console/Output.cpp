#include "console/Output.h"

#include "console/Encoding.h"

void COutput::Write(std::string_view bytes) {
  if (buffer_.size() + bytes.size() > kBufferLimit) Flush();
  if (bytes.size() >= kBufferLimit) {
    if (!failed_ && !platform::WriteStd(stream_, bytes.data(), bytes.size())) failed_ = true;
    return;
  }
  buffer_.append(bytes);
}

void COutput::WriteText(std::string_view cp932) { Write(ToTerminalText(cp932)); }

bool COutput::Flush() {
  if (!buffer_.empty() && !failed_ &&
      !platform::WriteStd(stream_, buffer_.data(), buffer_.size())) {
    failed_ = true;
  }
  buffer_.clear();
  return !failed_;
}
