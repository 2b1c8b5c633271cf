#include "Transcript.h"

#include <windows.h>

#include <cstdio>

namespace drive {

namespace {

constexpr size_t kReadableLimit = 400;  // bytes of readable text per line

std::string Escaped(const std::string& cp932) {
  std::string out;
  for (char c : cp932) {
    switch (c) {
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\0':
        out += "\\0";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace

std::string Readable(const std::string& cp932) {
  std::string text = Escaped(cp932);
  bool cut = text.size() > kReadableLimit;
  if (cut) text.resize(kReadableLimit);
  int wide = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring utf16(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), utf16.data(), wide);
  int narrow = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(narrow), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, utf8.data(), narrow, nullptr, nullptr);
  if (cut) utf8.append("...");
  return utf8;
}

void Transcript::Line(const std::string& event, const std::string& words) {
  Write(words.empty() ? event : event + " " + words);
}

void Transcript::Text(const std::string& event, const std::string& cp932) {
  Write(event + " " + hex::Encode(cp932) + " # " + Readable(cp932));
}

void Transcript::Texts(const std::string& event, const std::vector<std::string>& cp932) {
  std::string hex;
  std::string readable;
  for (const std::string& text : cp932) {
    hex += " " + hex::Encode(text);
    if (!readable.empty()) readable.append(" | ");
    readable.append(Readable(text));
  }
  Write(event + hex + " # " + readable);
}

void Transcript::Error(const std::string& why) { Write("ERROR " + why); }

void Transcript::Write(const std::string& line) {
  // Raw bytes, LF only: the reader is a Linux program.
  std::string out = line + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &written,
            nullptr);
}

}  // namespace drive
