#include "console/CheckReport.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "console/ShownText.h"
#include "language/Vocabulary.h"
#include "platform/Registry.h"
#include "text/EvenHex.h"
#include "text/LittleEndian.h"

std::string_view AppliedState(const StoreCounts& counts) {
  if (counts.changed == 0) return "already applied";
  if (counts.already == 0) return "not applied";
  return "partly applied";
}

namespace {

std::string DescribeDword(const std::string& data) {
  if (data.size() != 4) return "REG_DWORD (" + std::to_string(data.size()) + " bytes)";
  std::array<unsigned char, 4> bytes;
  std::copy(data.begin(), data.end(), bytes.begin());
  uint32_t value = FromLittleEndian(bytes);
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(value));
  return "REG_DWORD " + std::to_string(value) + " (" + hex + ")";
}

std::string DescribeBinary(const std::string& data) {
  std::string text = "REG_BINARY";
  for (char byte : data) {
    char digits[2];
    EvenHex::WriteByte(static_cast<unsigned char>(byte), digits);
    text += ' ';
    text.append(digits, 2);
  }
  return text;
}

}  // namespace

std::string DescribeValue(const RecordedValue& value) {
  switch (value.type) {
    case platform::kRegDword:
      return DescribeDword(value.data);
    case platform::kRegSz:
      // The data ends with the string's terminating NUL.
      return "REG_SZ \"" + ShownText(value.data.substr(0, value.data.find('\0'))) + "\"";
    case platform::kRegBinary:
      return DescribeBinary(value.data);
  }
  return "type " + std::to_string(value.type);
}

std::string BuildCheckReport(const std::vector<SectionReport>& sections) {
  std::string text;
  for (const SectionReport& section : sections) {
    text += section.directive + " \"" + ShownText(section.target) + "\"\n";
    if (section.directive == kDirectivePath) {
      text += "  " + std::to_string(section.counts.changed) + " bytes would change, " +
              std::to_string(section.counts.already) +
              " already hold their new value: " + std::string(AppliedState(section.counts)) + "\n";
    }
    for (const RecordedValue& value : section.values) {
      text += "  would write " + DescribeValue(value) + "\n";
    }
    if (!section.ended) text += "  the run stops before this section's #end\n";
  }
  return text;
}
