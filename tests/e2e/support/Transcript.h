// The driver's transcript, parsed: one line per event, its words before
// " # " (what follows is for people only).
#pragma once

#include <string>
#include <vector>

namespace e2e {

// Decodes the driver's hex ("-" is the empty text); false when malformed.
bool HexToBytes(const std::string& hex, std::string& bytes);

class Transcript {
 public:
  explicit Transcript(const std::string& output);

  // Every line's words, in order.
  const std::vector<std::vector<std::string>>& Lines() const { return lines_; }
  // Lines whose first word is the event.
  std::vector<std::vector<std::string>> All(const std::string& event) const;
  size_t Count(const std::string& event) const { return All(event).size(); }
  bool Has(const std::string& event) const { return Count(event) > 0; }
  // Word `index` (1 = the first after the event) of the event's first line;
  // "<no EVENT>" when there is no such line or word.
  std::string Word(const std::string& event, size_t index = 1) const;
  // The text given as hex in word `index` of the event's first line;
  // "<no EVENT>" when missing, "<bad hex>" when malformed.
  std::string Text(const std::string& event, size_t index = 1) const;
  // The words of the ERROR line joined, or empty.
  std::string Error() const;

 private:
  std::vector<std::vector<std::string>> lines_;
};

}  // namespace e2e
