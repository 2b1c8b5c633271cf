// Steps about the driver itself, the program's process, files and registry.
#include <array>

#include "Steps.h"
#include "Windows.h"

namespace drive {

namespace {

struct RootKey {
  const char* name;
  HKEY key;
};

const std::array<RootKey, 4> kRootKeys = {{
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKEY_USERS", HKEY_USERS},
}};

bool SplitKey(const std::string& path, HKEY& root, std::string& subkey) {
  size_t slash = path.find('\\');
  std::string rootName = path.substr(0, slash);
  subkey = slash == std::string::npos ? std::string() : path.substr(slash + 1);
  for (const RootKey& entry : kRootKeys) {
    if (rootName == entry.name) {
      root = entry.key;
      return true;
    }
  }
  return false;
}

}  // namespace

bool StepAcp(Session& session, const std::vector<std::string>&) {
  session.out.Line("acp", std::to_string(GetACP()));
  return true;
}

bool StepTimeout(Session& session, const std::vector<std::string>& args) {
  unsigned long ms = 0;
  if (!ParseNumber(args[0], ms)) {
    session.out.Error("timeout needs milliseconds, not '" + args[0] + "'");
    return false;
  }
  session.timeoutMs = static_cast<DWORD>(ms);
  return true;
}

// launch PROGRAM CWD TAIL: the program's command line is the quoted
// program path, then one space and TAIL exactly as given (none when empty).
bool StepLaunch(Session& session, const std::vector<std::string>& args) {
  if (session.Launched()) {
    session.out.Error("a program is already launched");
    return false;
  }
  const std::string& program = args[0];
  std::string commandLine = "\"" + program + "\"" + (args[2].empty() ? "" : " " + args[2]);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      args[1].empty() ? nullptr : args[1].c_str(), &startup, &info)) {
    session.out.Error("cannot start the program (error " + std::to_string(GetLastError()) + ")");
    return false;
  }
  CloseHandle(info.hThread);
  session.process = info.hProcess;
  session.processId = info.dwProcessId;
  session.out.Text("launch", commandLine);
  return true;
}

// Waits for the program to end; any dialog it shows meanwhile is an error.
bool StepExit(Session& session, const std::vector<std::string>&) {
  if (!session.Launched()) {
    session.out.Error("no program launched before 'exit'");
    return false;
  }
  DWORD start = GetTickCount();
  while (!session.ProcessEnded()) {
    for (HWND window : VisibleWindowsOf(session.processId)) {
      if (KindOf(window) == WindowKind::kMain) continue;
      ReportUnexpected(session, window);
      session.out.Error("a dialog came while waiting for the program to end");
      return false;
    }
    if (GetTickCount() - start > session.timeoutMs) {
      session.out.Error("timeout waiting for the program to end");
      return false;
    }
    Sleep(kPollMs);
  }
  DWORD code = 0;
  GetExitCodeProcess(session.process, &code);
  session.out.Line("exit", std::to_string(code));
  return true;
}

// Opens the file for reading, sharing reading only, and keeps it open until
// the driver ends: nobody can open it for writing meanwhile.
bool StepHold(Session& session, const std::vector<std::string>& args) {
  HANDLE file = CreateFileA(args[0].c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    session.out.Error("cannot hold the file (error " + std::to_string(GetLastError()) + ")");
    return false;
  }
  session.heldFiles.push_back(file);
  session.out.Text("hold", args[0]);
  return true;
}

// regvalue KEY NAME: "regvalue TYPE HEX" or "regvalue missing".
bool StepRegistryValue(Session& session, const std::vector<std::string>& args) {
  HKEY root = nullptr;
  std::string subkey;
  if (!SplitKey(args[0], root, subkey)) {
    session.out.Error("no root key in '" + args[0] + "'");
    return false;
  }
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    session.out.Line("regvalue", "missing");
    return true;
  }
  DWORD type = 0;
  DWORD size = 0;
  LONG found = RegQueryValueExA(key, args[1].c_str(), nullptr, &type, nullptr, &size);
  std::string data(size, '\0');
  if (found == ERROR_SUCCESS) {
    found = RegQueryValueExA(key, args[1].c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(data.data()), &size);
    data.resize(size);
  }
  RegCloseKey(key);
  if (found != ERROR_SUCCESS) {
    session.out.Line("regvalue", "missing");
    return true;
  }
  session.out.Line("regvalue",
                   std::to_string(type) + " " + hex::Encode(data) + " # " + Readable(data));
  return true;
}

}  // namespace drive
