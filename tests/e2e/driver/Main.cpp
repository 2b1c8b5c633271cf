// qpxdrive: launches a Windows program, follows a plan of steps given on the
// command line and prints a transcript, one line per event (README.md).
#include <windows.h>

#include <string>
#include <vector>

#include "Plan.h"
#include "Session.h"

namespace {

constexpr wchar_t kHexPrefix[] = L"hex:";

// A word given as "hex:..." is taken as raw code page 932 bytes; any other
// word is converted from UTF-16 to code page 932.
bool ToCodePage932(const wchar_t* word, std::string& bytes) {
  std::wstring text(word);
  if (text.rfind(kHexPrefix, 0) == 0) {
    std::string hex(text.begin() + 4, text.end());
    return hex::Decode(hex.empty() ? "-" : hex, bytes);
  }
  int size = WideCharToMultiByte(932, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  bytes.assign(static_cast<size_t>(size > 0 ? size : 1), '\0');
  WideCharToMultiByte(932, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
  bytes.resize(bytes.size() - 1);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  drive::Session session;
  std::vector<std::string> words;
  for (int at = 1; at < argc; ++at) {
    std::string word;
    if (!ToCodePage932(argv[at], word)) {
      session.out.Error("word " + std::to_string(at) + " is no valid hex");
      return 2;
    }
    words.push_back(word);
  }
  bool followed = drive::FollowPlan(session, words);
  if (followed && session.Launched() && !session.ProcessEnded()) {
    session.out.Error("the plan ended while the program still runs");
    followed = false;
  }
  if (!followed) {
    session.Abandon();
    return 1;
  }
  session.out.Line("done", "");
  return 0;
}
