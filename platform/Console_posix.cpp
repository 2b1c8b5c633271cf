#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

#include "platform/Console.h"
#include "platform/Cp932_posix.h"

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

void DiscardTypedInput() { ::tcflush(STDIN_FILENO, TCIFLUSH); }

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

bool WriteStdText(StdStream stream, std::string_view cp932) {
  std::string text = ToTerminalText(cp932);
  return WriteStd(stream, text.data(), text.size());
}

bool ReadStdLine(CommandArgument& line) {
  std::string bytes;
  char byte = 0;
  bool ended = false;
  for (;;) {
    ssize_t got = ::read(STDIN_FILENO, &byte, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      ended = true;
      break;
    }
    if (byte == '\n') break;
    bytes += byte;
  }
  if (ended && bytes.empty()) return false;
  if (!bytes.empty() && bytes.back() == '\r') bytes.pop_back();
  line = ArgumentOf(std::move(bytes));
  return true;
}

bool ReadStdAll(std::string& bytes) {
  char buffer[65536];
  for (;;) {
    ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    bytes.append(buffer, static_cast<size_t>(got));
  }
}

int TerminalColumns(StdStream stream) {
  winsize size{};
  if (::ioctl(Descriptor(stream), TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

namespace {

std::string_view Variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string_view() : std::string_view(value);
}

}  // namespace

Language UserLanguage() {
  return LanguageOfLocale(Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG"),
                          Variable("LANGUAGE"));
}

}  // namespace platform
