// Writing to standard output and standard error in large pieces.
#pragma once

#include <string>
#include <string_view>

#include "platform/Console.h"

class COutput {
 public:
  explicit COutput(platform::StdStream stream) : stream_(stream) {}
  ~COutput() { Flush(); }
  COutput(const COutput&) = delete;
  COutput& operator=(const COutput&) = delete;

  // Bytes exactly as given (a script, a raw listing).
  void Write(std::string_view bytes);
  // CP932 text for a person, written in the terminal's encoding; the text
  // ends with a whole character.
  void WriteText(std::string_view cp932);
  // Writes what is buffered; false once any write has failed.
  bool Flush();
  bool Failed() const { return failed_; }

 private:
  static constexpr size_t kBufferLimit = size_t{1} << 20;

  // Buffers bytes of one kind, writing those of the other kind first.
  void Append(std::string_view bytes, bool text);

  platform::StdStream stream_;
  std::string buffer_;
  bool bufferIsText_ = false;
  bool failed_ = false;
};
