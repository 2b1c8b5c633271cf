#include "Transcript.h"

#include <sstream>

#include "common/Hex.h"

namespace e2e {

namespace {

std::vector<std::string> Words(const std::string& line) {
  std::string kept = line.substr(0, line.find(" # "));
  std::istringstream stream(kept);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

}  // namespace

bool HexToBytes(const std::string& text, std::string& bytes) { return hex::Decode(text, bytes); }

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
