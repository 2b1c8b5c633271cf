#include "tests/standin/StandIn.h"

#include <cstring>
#include <map>

#include "platform/Dialogs.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"
#include "platform/Registry.h"

namespace platform {

namespace standin {

State& Recorder() {
  static State state;
  return state;
}

void Reset() { Recorder() = State(); }

}  // namespace standin

namespace {

using standin::Recorder;

std::optional<std::string> TextOf(const char* text) {
  if (text == nullptr) return std::nullopt;
  return std::string(text);
}

// A filter list runs to its first empty entry: two NUL bytes in a row.
std::optional<std::string> FilterOf(const char* filter) {
  if (filter == nullptr) return std::nullopt;
  size_t length = 0;
  while (filter[length] != '\0' || filter[length + 1] != '\0') ++length;
  return std::string(filter, length + 2);
}

int ShowFileDialog(OpenFileNameRecord& record, bool save) {
  standin::DialogRecord seen{save,
                             record.structSize,
                             record.owner,
                             TextOf(record.title),
                             TextOf(record.initialDir),
                             TextOf(record.defaultExtension),
                             FilterOf(record.filter),
                             record.file ? std::string(record.file) : std::string(),
                             record.maxFile,
                             record.filterIndex,
                             record.flags};
  auto& state = Recorder();
  state.dialogs.push_back(seen);
  state.dialogError = 0;
  if (state.dialogAnswers.empty()) return 0;
  std::optional<std::string> answer = state.dialogAnswers.front();
  state.dialogAnswers.pop_front();
  if (answer == standin::kAnswerWithoutCp932Form) {
    state.dialogError = kFnErrInvalidFileName;
    return 0;
  }
  if (!answer || record.file == nullptr || answer->size() + 1 > record.maxFile) return 0;
  std::memcpy(record.file, answer->c_str(), answer->size() + 1);
  return 1;
}

int ShowBox(const standin::MessageBoxRecord& box, int unanswered) {
  auto& state = Recorder();
  state.messageBoxes.push_back(box);
  if (state.messageBoxAnswers.empty()) return unanswered;
  int answer = state.messageBoxAnswers.front();
  state.messageBoxAnswers.pop_front();
  return answer;
}

}  // namespace

int MessageBoxA(WindowHandle owner, const std::string& text, const std::string& caption,
                unsigned flags) {
  return ShowBox({owner, text, caption, flags, false}, kIdOk);
}

int ScrollingQuestionBoxA(WindowHandle owner, const std::string& text, const std::string& caption) {
  return ShowBox({owner, text, caption, kMbYesNo | kMbIconExclamation | kMbDefButton2, true},
                 kIdNo);
}

int ShowOpenFileDialog(OpenFileNameRecord& record) { return ShowFileDialog(record, false); }

int ShowSaveFileDialog(OpenFileNameRecord& record) { return ShowFileDialog(record, true); }

uint32_t CommDlgExtendedError() { return Recorder().dialogError; }

uint32_t GetCurrentFolder(uint32_t size, char* buffer) {
  const auto& folder = Recorder().currentDirectory;
  if (!folder || folder->size() + 1 > size) return 0;
  std::memcpy(buffer, folder->c_str(), folder->size() + 1);
  return static_cast<uint32_t>(folder->size());
}

namespace {

struct OpenKey {
  RegistryKey root;
  std::string subkey;
  uint32_t options;
  uint32_t access;
};

std::map<RegistryKey, OpenKey>& OpenKeys() {
  static std::map<RegistryKey, OpenKey> keys;
  return keys;
}

}  // namespace

long RegCreateKeyExA(RegistryKey root, const std::string& subkey, uint32_t options, uint32_t access,
                     RegistryKey* key) {
  auto& state = Recorder();
  if (state.failRegCreate != 0) return state.failRegCreate;
  static RegistryKey next = 0x1000;
  *key = next++;
  OpenKeys()[*key] = {root, subkey, options, access};
  ++state.openKeys;
  return 0;
}

long RegSetValueExA(RegistryKey key, const std::string& valueName, uint32_t type,
                    const unsigned char* data, uint32_t size) {
  auto& state = Recorder();
  auto found = OpenKeys().find(key);
  if (found == OpenKeys().end()) return 6;  // ERROR_INVALID_HANDLE
  if (state.failRegSet != 0) return state.failRegSet;
  const OpenKey& open = found->second;
  state.registryWrites.push_back({open.root, open.subkey, open.options, open.access, valueName,
                                  type, std::string(reinterpret_cast<const char*>(data), size)});
  return 0;
}

long RegCloseKey(RegistryKey key) {
  if (OpenKeys().erase(key) == 0) return 6;
  --Recorder().openKeys;
  return 0;
}

}  // namespace platform
