// qpxdrive: launches a Windows program, follows a plan of steps given on the
// command line and prints a transcript, one line per event (README.md).
#include <windows.h>

#include <string>
#include <vector>

#include "Plan.h"
#include "Session.h"
#include "Text.h"

namespace {

struct HexForm {
  const wchar_t* prefix;
  bool cp932;  // the bytes are code page 932, else UTF-8
};

constexpr HexForm kHexForms[] = {{L"hex:", true}, {L"u8hex:", false}};

// A word given as "hex:..." is taken as code page 932 bytes, one given as
// "u8hex:..." as UTF-8 bytes (for names outside code page 932); any other
// word as it is. Every word is kept as UTF-8.
bool ToWord(const wchar_t* argument, std::string& word) {
  std::wstring text(argument);
  for (const HexForm& form : kHexForms) {
    std::wstring prefix(form.prefix);
    if (text.rfind(prefix, 0) != 0) continue;
    std::string hex(text.begin() + static_cast<long>(prefix.size()), text.end());
    std::string bytes;
    if (!hex::Decode(hex.empty() ? "-" : hex, bytes)) return false;
    word = form.cp932 ? drive::Utf8(drive::WideFromCp932(bytes)) : bytes;
    return true;
  }
  word = drive::Utf8(text);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  drive::Session session;
  std::vector<std::string> words;
  for (int at = 1; at < argc; ++at) {
    std::string word;
    if (!ToWord(argv[at], word)) {
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
