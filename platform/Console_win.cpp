#include <windows.h>

#include "platform/Console.h"

namespace platform {

namespace {

HANDLE Handle(StdStream stream) {
  switch (stream) {
    case StdStream::kInput:
      return ::GetStdHandle(STD_INPUT_HANDLE);
    case StdStream::kOutput:
      return ::GetStdHandle(STD_OUTPUT_HANDLE);
    case StdStream::kError:
      return ::GetStdHandle(STD_ERROR_HANDLE);
  }
  return INVALID_HANDLE_VALUE;
}

}  // namespace

bool IsTerminal(StdStream stream) {
  DWORD mode = 0;
  return ::GetConsoleMode(Handle(stream), &mode) != 0;
}

bool WriteStd(StdStream stream, const void* data, size_t size) {
  HANDLE handle = Handle(stream);
  if (handle == INVALID_HANDLE_VALUE || handle == nullptr) return false;
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
    DWORD put = 0;
    if (!::WriteFile(handle, bytes, chunk, &put, nullptr) || put == 0) return false;
    bytes += put;
    size -= put;
  }
  return true;
}

bool ReadStdLine(std::string& line) {
  line.clear();
  HANDLE handle = Handle(StdStream::kInput);
  char byte = 0;
  DWORD got = 0;
  for (;;) {
    if (!::ReadFile(handle, &byte, 1, &got, nullptr) || got == 0) return !line.empty();
    if (byte == '\n') break;
    line += byte;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

int TerminalColumns(StdStream stream) {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (::GetConsoleScreenBufferInfo(Handle(stream), &info)) {
    return info.srWindow.Right - info.srWindow.Left + 1;
  }
  return 80;
}

bool HasRegistry() { return true; }

}  // namespace platform
