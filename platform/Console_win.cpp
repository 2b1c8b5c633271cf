#include <windows.h>

#include "platform/Console.h"
#include "platform/Cp932_win.h"

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

void DiscardTypedInput() {
  if (IsTerminal(StdStream::kInput)) ::FlushConsoleInputBuffer(Handle(StdStream::kInput));
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

std::string ToTerminalText(std::string_view cp932) { return std::string(cp932); }

// A console of a system whose code page is not 932 takes the text as
// UTF-16; anywhere else the CP932 bytes are the text.
bool WriteStdText(StdStream stream, std::string_view cp932) {
  if (win::SystemIsCp932() || !IsTerminal(stream)) {
    return WriteStd(stream, cp932.data(), cp932.size());
  }
  std::wstring wide = win::ToWideText(cp932);
  const wchar_t* text = wide.c_str();
  size_t left = wide.size();
  while (left > 0) {
    DWORD chunk = left > 8192 ? 8192 : static_cast<DWORD>(left);
    DWORD put = 0;
    if (!::WriteConsoleW(Handle(stream), text, chunk, &put, nullptr) || put == 0) return false;
    text += put;
    left -= put;
  }
  return true;
}

namespace {

// Bytes read from a file or a pipe, which are CP932 as every text is.
CommandArgument ArgumentOfBytes(const std::string& cp932) {
  return {cp932, true, win::ToUtf8(win::ToWideText(cp932))};
}

// One line typed at a console, as UTF-16; false at the end of the input.
bool ReadConsoleLine(HANDLE handle, std::wstring& line) {
  wchar_t character = L'\0';
  DWORD got = 0;
  for (;;) {
    if (!::ReadConsoleW(handle, &character, 1, &got, nullptr) || got == 0) return !line.empty();
    if (character == L'\n') return true;
    line += character;
  }
}

// One line of bytes; false at the end of the input.
bool ReadByteLine(HANDLE handle, std::string& line) {
  char byte = 0;
  DWORD got = 0;
  for (;;) {
    if (!::ReadFile(handle, &byte, 1, &got, nullptr) || got == 0) return !line.empty();
    if (byte == '\n') return true;
    line += byte;
  }
}

}  // namespace

// A console is read as UTF-16 on every code page, as the command line is;
// bytes read from a file or a pipe are taken as CP932, as every text is.
bool ReadStdLine(CommandArgument& line) {
  HANDLE handle = Handle(StdStream::kInput);
  if (IsTerminal(StdStream::kInput)) {
    std::wstring wide;
    if (!ReadConsoleLine(handle, wide)) return false;
    if (!wide.empty() && wide.back() == L'\r') wide.pop_back();
    line = ArgumentOf(win::ToUtf8(wide));
    return true;
  }
  std::string bytes;
  if (!ReadByteLine(handle, bytes)) return false;
  if (!bytes.empty() && bytes.back() == '\r') bytes.pop_back();
  line = ArgumentOfBytes(bytes);
  return true;
}

// A pipe's writer that closed its end ends the input, as a file's end does.
bool ReadStdAll(std::string& bytes) {
  HANDLE handle = Handle(StdStream::kInput);
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(handle, buffer, sizeof buffer, &got, nullptr)) {
      return ::GetLastError() == ERROR_BROKEN_PIPE;
    }
    if (got == 0) return true;
    bytes.append(buffer, got);
  }
}

int TerminalColumns(StdStream stream) {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (::GetConsoleScreenBufferInfo(Handle(stream), &info)) {
    return info.srWindow.Right - info.srWindow.Left + 1;
  }
  return 80;
}

Language UserLanguage() { return LanguageOfUiLanguage(::GetUserDefaultUILanguage()); }

}  // namespace platform
