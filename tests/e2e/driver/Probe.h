// The driver's side of the probe: loads qpxprobe.dll, hooks the thread of a
// window of the program under test for one question and collects the answer.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace drive {

class Probe {
 public:
  Probe() = default;
  Probe(const Probe&) = delete;
  Probe& operator=(const Probe&) = delete;
  ~Probe();

  // The answer's fields, or nothing when the probe could not be loaded or
  // did not answer within the timeout. The payload becomes the reply
  // window's text, where the probe reads it.
  std::optional<std::vector<std::string>> Ask(HWND target, unsigned short query, int argument,
                                              DWORD timeoutMs, const std::wstring& payload = {});
  const std::string& LastError() const { return error_; }

 private:
  bool Start();

  HMODULE dll_ = nullptr;
  HOOKPROC hook_ = nullptr;
  HWND replyWindow_ = nullptr;
  UINT queryMessage_ = 0;
  std::string error_;
};

}  // namespace drive
