#include "statements/RegistryStatements.h"

#include <array>
#include <string>
#include <vector>

#include "language/RunHost.h"
#include "language/Statement.h"
#include "language/Vocabulary.h"
#include "platform/Registry.h"
#include "statements/KeyPath.h"
#include "text/HexString.h"
#include "text/LittleEndian.h"

namespace {

constexpr size_t kMaxDwordDigits = 8;
constexpr size_t kMaxDecimalDigits = 9;  // 999999999 always fits 32 bits

// Has the host write the value at the statement's value path.
HandlerResult WriteValue(CRunHost& host, const CStatement& statement, uint32_t type,
                         const unsigned char* data, uint32_t size) {
  platform::RegistryKey root = 0;
  std::string subkey;
  std::string valueName;
  if (!SplitKeyPath(statement.operands[0], root, subkey, valueName)) return HandlerResult::kFailed;
  return host.WriteRegistryValue({statement.operands[0], root, subkey, valueName, type, data, size})
             ? HandlerResult::kDone
             : HandlerResult::kFailed;
}

HandlerResult WriteDword(CRunHost& host, const CStatement& statement, uint32_t value) {
  const std::array<unsigned char, 4> bytes = ToLittleEndian(value);
  return WriteValue(host, statement, platform::kRegDword, bytes.data(), bytes.size());
}

// A registry statement reads the value path of its section and its own
// value; any other count means it is not the section's one statement.
bool HasValuePath(const CStatement& statement) { return statement.operands.size() == 2; }

}  // namespace

HandlerResult HandleBinaryValue(CRunHost& host, CStatement& statement) {
  if (!HasValuePath(statement)) return HandlerResult::kFailed;
  const std::string& digits = statement.operands[1];
  if (digits.size() % 2 != 0) return HandlerResult::kFailed;
  std::vector<unsigned char> bytes;
  bytes.reserve(digits.size() / 2);
  for (size_t at = 0; at < digits.size(); at += 2) {
    bytes.push_back(HexString::ToValue<unsigned char>(digits.substr(at, 2)));
  }
  return WriteValue(host, statement, platform::kRegBinary, bytes.data(),
                    static_cast<uint32_t>(bytes.size()));
}

HandlerResult HandleStringValue(CRunHost& host, CStatement& statement) {
  if (!HasValuePath(statement)) return HandlerResult::kFailed;
  std::string text = statement.operands[1];
  if (!Unquote(text)) return HandlerResult::kFailed;
  return WriteValue(host, statement, platform::kRegSz,
                    reinterpret_cast<const unsigned char*>(text.c_str()),
                    static_cast<uint32_t>(text.size() + 1));
}

HandlerResult HandleDwordValue(CRunHost& host, CStatement& statement) {
  if (!HasValuePath(statement)) return HandlerResult::kFailed;
  const std::string& digits = statement.operands[1];
  if (digits.size() > kMaxDwordDigits) return HandlerResult::kFailed;
  uint32_t value = 0;
  if (!HexString::TryParse(digits, UINT32_MAX, value)) return HandlerResult::kFailed;
  return WriteDword(host, statement, value);
}

HandlerResult HandleDecimalDwordValue(CRunHost& host, CStatement& statement) {
  if (!HasValuePath(statement)) return HandlerResult::kFailed;
  const std::string& digits = statement.operands[1];
  if (digits.empty() || digits.size() > kMaxDecimalDigits || !IsDecimalString(digits))
    return HandlerResult::kFailed;
  uint32_t value = 0;
  for (char c : digits) value = value * 10 + static_cast<uint32_t>(c - '0');
  return WriteDword(host, statement, value);
}
