// The driver's report: one line per event on standard output. A text is
// printed as the hex of its code page 932 bytes ("-" when empty), followed
// by "# " and a readable UTF-8 form for people.
#pragma once

#include <string>
#include <vector>

#include "common/Hex.h"

namespace drive {

// Code page 932 bytes as UTF-8, control bytes escaped, for people only.
std::string Readable(const std::string& cp932);

class Transcript {
 public:
  // "EVENT WORDS"
  void Line(const std::string& event, const std::string& words);
  // "EVENT HEX # readable"
  void Text(const std::string& event, const std::string& cp932);
  // "EVENT HEX HEX ... # readable | readable ..."
  void Texts(const std::string& event, const std::vector<std::string>& cp932);
  // "ERROR why"
  void Error(const std::string& why);

 private:
  void Write(const std::string& line);
};

}  // namespace drive
