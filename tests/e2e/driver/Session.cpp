#include "Session.h"

#include <cstdlib>

namespace drive {

Session::~Session() {
  for (HANDLE file : heldFiles) CloseHandle(file);
  if (process != nullptr) CloseHandle(process);
}

bool Session::ProcessEnded() const {
  return process != nullptr && WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

void Session::Abandon() {
  if (process != nullptr && !ProcessEnded()) {
    TerminateProcess(process, 1);
    WaitForSingleObject(process, kDefaultTimeoutMs);
  }
}

bool ParseNumber(const std::string& word, unsigned long& value) {
  if (word.empty()) return false;
  char* end = nullptr;
  value = std::strtoul(word.c_str(), &end, 0);
  return end != nullptr && *end == '\0';
}

}  // namespace drive
