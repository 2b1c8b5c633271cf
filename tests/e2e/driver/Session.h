// What the steps of one plan share: the transcript, the program under test
// and the handles the plan holds until the driver ends.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Probe.h"
#include "Transcript.h"

namespace drive {

constexpr DWORD kDefaultTimeoutMs = 30000;
constexpr DWORD kPollMs = 15;

struct Session {
  Session() = default;
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  ~Session();

  Transcript out;
  DWORD timeoutMs = kDefaultTimeoutMs;
  HANDLE process = nullptr;  // the program under test, once launched
  DWORD processId = 0;
  HWND mainWindow = nullptr;
  std::vector<HANDLE> heldFiles;
  Probe probe;

  bool Launched() const { return process != nullptr; }
  bool ProcessEnded() const;
  // Ends a program under test that is still running (after an error).
  void Abandon();
};

// One step of a plan: its words after the step name, in UTF-8 (Text.h).
// A step reports its own ERROR line and answers false on failure.
using StepFunction = bool (*)(Session& session, const std::vector<std::string>& args);

struct StepKind {
  const char* name;
  size_t argCount;
  StepFunction run;
};

// Decimal or 0x-hex number; false when the word is none.
bool ParseNumber(const std::string& word, unsigned long& value);

}  // namespace drive
