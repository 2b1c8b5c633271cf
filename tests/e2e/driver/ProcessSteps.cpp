// Steps about the driver itself, the program's process, files and registry.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "Steps.h"
#include "Text.h"
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

namespace {

// Starts PROGRAM in CWD with the command line "PROGRAM" TAIL; with an
// output file, its standard output and error go there and its standard
// input is empty.
bool Launch(Session& session, const std::vector<std::string>& args, HANDLE output) {
  if (session.Launched()) {
    session.out.Error("a program is already launched");
    return false;
  }
  std::wstring program = Wide(args[0]);
  std::wstring folder = Wide(args[1]);
  std::wstring commandLine =
      L"\"" + program + L"\"" + (args[2].empty() ? L"" : L" " + Wide(args[2]));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  HANDLE input = INVALID_HANDLE_VALUE;
  if (output != INVALID_HANDLE_VALUE) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    input = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                        OPEN_EXISTING, 0, nullptr);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = output;
  }
  PROCESS_INFORMATION info{};
  // Wine, busy starting its first programs of a fresh prefix, may fail a
  // start with an internal error that the next try does not meet.
  BOOL started = FALSE;
  for (int attempt = 0; attempt < 5 && !started; ++attempt) {
    if (attempt > 0) Sleep(500);
    started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr,
                             output != INVALID_HANDLE_VALUE, 0, nullptr,
                             folder.empty() ? nullptr : folder.c_str(), &startup, &info);
    if (!started && GetLastError() != ERROR_INTERNAL_ERROR) break;
  }
  if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
  if (!started) {
    session.out.Error("cannot start the program (error " + std::to_string(GetLastError()) + ")");
    return false;
  }
  CloseHandle(info.hThread);
  session.process = info.hProcess;
  session.processId = info.dwProcessId;
  session.out.Text("launch", Cp932(commandLine));
  return true;
}

}  // namespace

// launch PROGRAM CWD TAIL: the program's command line is the quoted
// program path, then one space and TAIL exactly as given (none when empty).
bool StepLaunch(Session& session, const std::vector<std::string>& args) {
  return Launch(session, args, INVALID_HANDLE_VALUE);
}

// launchout PROGRAM CWD TAIL FILE: launch, with the program's standard
// output and error written to FILE (made anew) and its input empty.
bool StepLaunchOut(Session& session, const std::vector<std::string>& args) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE output = CreateFileW(Wide(args[3]).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (output == INVALID_HANDLE_VALUE) {
    session.out.Error("cannot create the output file (error " + std::to_string(GetLastError()) +
                      ")");
    return false;
  }
  bool launched = Launch(session, args, output);
  CloseHandle(output);  // the program holds its own copy
  return launched;
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
  HANDLE file = CreateFileW(Wide(args[0]).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    session.out.Error("cannot hold the file (error " + std::to_string(GetLastError()) + ")");
    return false;
  }
  session.heldFiles.push_back(file);
  session.out.Text("hold", Cp932FromUtf8(args[0]));
  return true;
}

namespace {

std::string Hex64(uint64_t value) {
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llX", static_cast<unsigned long long>(value));
  return digits;
}

uint64_t TimeValue(const FILETIME& time) {
  return (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

}  // namespace

// fileinfo PATH: the file's attributes and creation time.
bool StepFileInfo(Session& session, const std::vector<std::string>& args) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Wide(args[0]).c_str(), GetFileExInfoStandard, &data)) {
    session.out.Error("no file " + args[0] + " (error " + std::to_string(GetLastError()) + ")");
    return false;
  }
  char attributes[9];
  std::snprintf(attributes, sizeof attributes, "%08lX", data.dwFileAttributes);
  session.out.Line("fileinfo.attributes", attributes);
  session.out.Line("fileinfo.created", Hex64(TimeValue(data.ftCreationTime)));
  return true;
}

// setfileinfo PATH ATTRIBUTES CREATED: sets the attributes and the
// creation time (both hex).
bool StepSetFileInfo(Session& session, const std::vector<std::string>& args) {
  unsigned long attributes = 0;
  unsigned long long created = std::strtoull(args[2].c_str(), nullptr, 16);
  FILETIME time{static_cast<DWORD>(created), static_cast<DWORD>(created >> 32)};
  std::wstring path = Wide(args[0]);
  HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool timed = file != INVALID_HANDLE_VALUE && SetFileTime(file, &time, nullptr, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!ParseNumber("0x" + args[1], attributes) || !timed ||
      !SetFileAttributesW(path.c_str(), static_cast<DWORD>(attributes))) {
    session.out.Error("cannot set the attributes or times of " + args[0]);
    return false;
  }
  session.out.Line("setfileinfo", args[1] + " " + args[2]);
  return true;
}

// regvalue KEY NAME: "regvalue TYPE HEX" or "regvalue missing". String
// data is read as UTF-16 and reported in code page 932, with its NUL.
bool StepRegistryValue(Session& session, const std::vector<std::string>& args) {
  HKEY root = nullptr;
  std::string subkey;
  if (!SplitKey(args[0], root, subkey)) {
    session.out.Error("no root key in '" + args[0] + "'");
    return false;
  }
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, Wide(subkey).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    session.out.Line("regvalue", "missing");
    return true;
  }
  std::wstring name = Wide(args[1]);
  DWORD type = 0;
  DWORD size = 0;
  LONG found = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
  std::string data(size, '\0');
  if (found == ERROR_SUCCESS) {
    found = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(data.data()), &size);
    data.resize(size);
  }
  RegCloseKey(key);
  if (type == REG_SZ) {
    data = Cp932(std::wstring(reinterpret_cast<const wchar_t*>(data.data()), data.size() / 2));
  }
  if (found != ERROR_SUCCESS) {
    session.out.Line("regvalue", "missing");
    return true;
  }
  session.out.Line("regvalue",
                   std::to_string(type) + " " + hex::Encode(data) + " # " + Readable(data));
  return true;
}

}  // namespace drive

namespace drive {

namespace {

// One code as MultiByteToWideChar(932) reads it: "CODE UNICODE BACK", BACK
// being what WideCharToMultiByte(932) writes for that character, or "-"
// for what the system refuses.
std::string TableLine(const std::string& code) {
  std::string line = hex::Encode(code);
  wchar_t wide[4] = {};
  int count = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, code.data(),
                                  static_cast<int>(code.size()), wide, 4);
  if (count != 1) return line + " -";
  char back[8] = {};
  BOOL usedDefault = FALSE;
  int size = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide, 1, back, sizeof back, nullptr,
                                 &usedDefault);
  char unicode[8];
  std::snprintf(unicode, sizeof unicode, "%04X", static_cast<unsigned>(wide[0]));
  line += std::string(" ") + unicode + " ";
  line +=
      size > 0 && !usedDefault ? hex::Encode(std::string(back, static_cast<size_t>(size))) : "-";
  return line;
}

bool IsLeadByte(int byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace

// cp932table FILE: every single byte and every lead and trail byte pair,
// one TableLine each, written to FILE.
bool StepCp932Table(Session& session, const std::vector<std::string>& args) {
  std::string table;
  for (int byte = 0; byte < 0x100; ++byte) {
    if (!IsLeadByte(byte)) table += TableLine(std::string(1, static_cast<char>(byte))) + "\n";
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsLeadByte(lead)) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      table += TableLine({static_cast<char>(lead), static_cast<char>(trail)}) + "\n";
    }
  }
  HANDLE file = CreateFileW(Wide(args[0]).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  bool ok = file != INVALID_HANDLE_VALUE &&
            WriteFile(file, table.data(), static_cast<DWORD>(table.size()), &written, nullptr) &&
            written == table.size();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!ok) {
    session.out.Error("cannot write the table to " + args[0]);
    return false;
  }
  session.out.Line("cp932table", std::to_string(table.size()));
  return true;
}

}  // namespace drive
