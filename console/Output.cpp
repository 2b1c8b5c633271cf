#include "console/Output.h"

namespace {

bool WriteNow(platform::StdStream stream, std::string_view bytes, bool text) {
  return text ? platform::WriteStdText(stream, bytes)
              : platform::WriteStd(stream, bytes.data(), bytes.size());
}

}  // namespace

void COutput::Append(std::string_view bytes, bool text) {
  if (text != bufferIsText_ || buffer_.size() + bytes.size() > kBufferLimit) Flush();
  if (bytes.size() >= kBufferLimit) {
    if (!failed_ && !WriteNow(stream_, bytes, text)) failed_ = true;
    return;
  }
  bufferIsText_ = text;
  buffer_.append(bytes);
}

void COutput::Write(std::string_view bytes) { Append(bytes, false); }

void COutput::WriteText(std::string_view cp932) { Append(cp932, true); }

bool COutput::Flush() {
  if (!buffer_.empty() && !failed_ && !WriteNow(stream_, buffer_, bufferIsText_)) failed_ = true;
  buffer_.clear();
  return !failed_;
}
