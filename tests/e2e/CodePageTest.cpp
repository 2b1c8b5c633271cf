// The CP932 of Linux (glibc's, as the platform layer converts with it)
// against the CP932 of Windows (Wine's tables, made from Microsoft's): for
// every single byte and every double-byte code, what character it is and
// which code the character is written back as.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "CaseFolder.h"
#include "Driver.h"
#include "common/Hex.h"
#include "platform/Cp932_posix.h"

namespace e2e {
namespace {

// UTF-8 of one UTF-16 code unit (no surrogates occur in CP932).
std::string Utf8Of(unsigned unit) {
  std::string utf8;
  if (unit < 0x80) {
    utf8 += static_cast<char>(unit);
  } else if (unit < 0x800) {
    utf8 += static_cast<char>(0xC0 | (unit >> 6));
    utf8 += static_cast<char>(0x80 | (unit & 0x3F));
  } else {
    utf8 += static_cast<char>(0xE0 | (unit >> 12));
    utf8 += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (unit & 0x3F));
  }
  return utf8;
}

// True when the platform's conversions agree with one line of the table:
// "CODE -" (Windows knows no character there) or "CODE UNICODE BACK".
bool Agrees(const std::string& code, const std::string& unicode, const std::string& back) {
  std::string name;
  bool known = platform::posix::ToSystemName(code, name);
  if (unicode == "-") return !known;
  if (!known || name != Utf8Of(std::stoul(unicode, nullptr, 16))) return false;
  std::string written;
  bool writable = platform::posix::ToCp932Name(name, written);
  std::string expected;
  if (back == "-") return !writable;
  return writable && hex::Decode(back, expected) && written == expected;
}

TEST(CodePage932, LinuxConvertsEveryCodeAsWindowsDoes) {
  CaseFolder folder;
  DriverRun run = RunDriver({"cp932table", folder.Win("table.txt")});
  ASSERT_TRUE(run.Followed()) << run.output;
  std::ifstream table(folder.File("table.txt"));
  std::set<std::string> differing;
  size_t codes = 0;
  for (std::string line; std::getline(table, line); ++codes) {
    std::istringstream words(line);
    std::string code, unicode, back;
    words >> code >> unicode >> back;
    std::string bytes;
    ASSERT_TRUE(hex::Decode(code, bytes)) << line;
    if (!Agrees(bytes, unicode, back)) differing.insert(line);
  }
  // 196 single bytes that lead no pair, 60 lead bytes of 188 trail bytes each.
  EXPECT_EQ(codes, 196u + 60u * 188u);
  // Windows reads the byte 0x80 as U+0080; glibc knows no character there,
  // so a script's name holding it opens no file on Linux.
  EXPECT_EQ(differing, std::set<std::string>{"80 0080 80"});
}

}  // namespace
}  // namespace e2e
