#include "Probe.h"

#include "ProbeProtocol.h"

namespace drive {

namespace {

// A Unicode window: its text (a query's payload) keeps every character.
constexpr wchar_t kReplyClass[] = L"QpxDriveProbeReply";

// Filled by the reply window while the driver waits in SendMessageTimeout.
struct PendingAnswer {
  unsigned short query = 0;
  bool arrived = false;
  std::string data;
};
PendingAnswer pending;

LRESULT CALLBACK ReplyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (copy->dwData == pending.query) {
      pending.data.assign(static_cast<const char*>(copy->lpData), copy->cbData);
      pending.arrived = true;
    }
    return TRUE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

std::string DriverFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

std::vector<std::string> SplitFields(const std::string& data) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t at = 0; at < data.size(); ++at) {
    if (data[at] != '\0') continue;
    fields.push_back(data.substr(start, at - start));
    start = at + 1;
  }
  return fields;
}

}  // namespace

Probe::~Probe() {
  if (replyWindow_ != nullptr) DestroyWindow(replyWindow_);
  if (dll_ != nullptr) FreeLibrary(dll_);
}

bool Probe::Start() {
  if (replyWindow_ != nullptr) return true;
  std::string path = DriverFolder() + probe::kProbeDllName;
  dll_ = LoadLibraryA(path.c_str());
  if (dll_ == nullptr) {
    error_ = "cannot load " + path;
    return false;
  }
  hook_ = reinterpret_cast<HOOKPROC>(
      reinterpret_cast<void*>(GetProcAddress(dll_, probe::kProbeHookName)));
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = ReplyProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kReplyClass;
  RegisterClassW(&windowClass);
  replyWindow_ = CreateWindowW(kReplyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               windowClass.hInstance, nullptr);
  queryMessage_ = RegisterWindowMessageA(probe::kProbeQueryMessage);
  if (hook_ == nullptr || replyWindow_ == nullptr) {
    error_ = "the probe has no hook or no reply window";
    return false;
  }
  return true;
}

std::optional<std::vector<std::string>> Probe::Ask(HWND target, unsigned short query, int argument,
                                                   DWORD timeoutMs, const std::wstring& payload) {
  if (!Start()) return std::nullopt;
  DWORD thread = GetWindowThreadProcessId(target, nullptr);
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, hook_, dll_, thread);
  if (hook == nullptr) {
    error_ = "SetWindowsHookEx failed: " + std::to_string(GetLastError());
    return std::nullopt;
  }
  pending = PendingAnswer{query, false, {}};
  DWORD_PTR ignored = 0;
  SetWindowTextW(replyWindow_, payload.c_str());
  SendMessageTimeoutA(target, queryMessage_, reinterpret_cast<WPARAM>(replyWindow_),
                      MAKELPARAM(query, argument), SMTO_NORMAL, timeoutMs, &ignored);
  UnhookWindowsHookEx(hook);
  if (!pending.arrived) {
    error_ = "the probe did not answer";
    return std::nullopt;
  }
  return SplitFields(pending.data);
}

}  // namespace drive
