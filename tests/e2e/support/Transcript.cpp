#include "Transcript.h"

#include <sstream>

namespace e2e {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::vector<std::string> Words(const std::string& line) {
  std::string kept = line.substr(0, line.find(" # "));
  std::istringstream stream(kept);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

}  // namespace

bool HexToBytes(const std::string& hex, std::string& bytes) {
  bytes.clear();
  if (hex == "-") return true;
  if (hex.size() % 2 != 0) return false;
  for (size_t at = 0; at < hex.size(); at += 2) {
    int high = HexDigit(hex[at]);
    int low = HexDigit(hex[at + 1]);
    if (high < 0 || low < 0) return false;
    bytes += static_cast<char>(high * 16 + low);
  }
  return true;
}

Transcript::Transcript(const std::string& output) {
  std::istringstream stream(output);
  for (std::string line; std::getline(stream, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> words = Words(line);
    if (!words.empty()) lines_.push_back(std::move(words));
  }
}

std::vector<std::vector<std::string>> Transcript::All(const std::string& event) const {
  std::vector<std::vector<std::string>> found;
  for (const auto& line : lines_) {
    if (line.front() == event) found.push_back(line);
  }
  return found;
}

std::string Transcript::Word(const std::string& event, size_t index) const {
  for (const auto& line : lines_) {
    if (line.front() == event && index < line.size()) return line[index];
  }
  return "<no " + event + ">";
}

std::string Transcript::Text(const std::string& event, size_t index) const {
  for (const auto& line : lines_) {
    if (line.front() != event || index >= line.size()) continue;
    std::string bytes;
    return HexToBytes(line[index], bytes) ? bytes : "<bad hex>";
  }
  return "<no " + event + ">";
}

std::string Transcript::Error() const {
  for (const auto& line : lines_) {
    if (line.front() != "ERROR") continue;
    std::string why;
    for (size_t at = 1; at < line.size(); ++at) why += (at > 1 ? " " : "") + line[at];
    return why;
  }
  return {};
}

}  // namespace e2e
