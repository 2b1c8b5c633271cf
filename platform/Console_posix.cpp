#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Console.h"

namespace platform {

namespace {

int Descriptor(StdStream stream) {
  switch (stream) {
    case StdStream::kInput:
      return STDIN_FILENO;
    case StdStream::kOutput:
      return STDOUT_FILENO;
    case StdStream::kError:
      return STDERR_FILENO;
  }
  return -1;
}

}  // namespace

bool IsTerminal(StdStream stream) { return ::isatty(Descriptor(stream)) == 1; }

bool WriteStd(StdStream stream, const void* data, size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t put = ::write(Descriptor(stream), bytes, size);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    bytes += put;
    size -= static_cast<size_t>(put);
  }
  return true;
}

bool ReadStdLine(std::string& line) {
  line.clear();
  char byte = 0;
  for (;;) {
    ssize_t got = ::read(STDIN_FILENO, &byte, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return !line.empty();
    if (byte == '\n') break;
    line += byte;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

int TerminalColumns(StdStream stream) {
  winsize size{};
  if (::ioctl(Descriptor(stream), TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

bool HasRegistry() { return false; }

}  // namespace platform
