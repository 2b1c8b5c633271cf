#include "Driver.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <iconv.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "common/Hex.h"

extern char** environ;

namespace e2e {

namespace {

constexpr time_t kDriverLimitSeconds = 120;
constexpr int kPollMs = 50;

// The environment every Wine run of the tests uses: the locale gives Wine
// its ANSI code page, and each code page has a prefix of its own.
std::vector<std::string> WineEnvironment() {
  bool japanese = WineCodePage() == 932;
  std::string suffix = japanese ? "" : "-1252";
  // The fixture's UTF-8 locale: Wine then keeps Linux file names UTF-8.
  // Without it, an empty folder: no locale at all.
  std::string locales = QPX_E2E_LOCPATH + suffix;
  if (WineWithoutLocale()) {
    locales = std::string(QPX_E2E_WORK_DIR) + RunSuffix() + "/empty-locale-folder";
    std::filesystem::create_directories(locales);
  }
  std::vector<std::string> entries = {japanese ? "LC_ALL=ja_JP.UTF-8" : "LC_ALL=en_US.UTF-8",
                                      std::string("WINEPREFIX=") + QPX_E2E_WINEPREFIX + suffix,
                                      "WINEDLLOVERRIDES=mscoree,mshtml=", "WINEDEBUG=-all",
                                      "LOCPATH=" + locales};
  for (char** entry = environ; *entry != nullptr; ++entry) {
    std::string text(*entry);
    std::string name = text.substr(0, text.find('='));
    if (name != "LC_ALL" && name != "WINEPREFIX" && name != "WINEDLLOVERRIDES" &&
        name != "WINEDEBUG" && name != "LOCPATH") {
      entries.push_back(text);
    }
  }
  return entries;
}

// ASCII words go as they are; any other is handed over as raw bytes, but
// for a word that is already a UTF-8 hex word.
std::string DriverWord(const std::string& word) {
  if (word.rfind(kUnicodePrefix, 0) == 0) return word;
  bool plain = word.rfind("hex:", 0) != 0;
  for (unsigned char c : word) plain = plain && c >= 0x20 && c < 0x80;
  if (plain) return word;
  return "hex:" + hex::Encode(word);
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Reads what is there now; false at end of file.
bool Drain(int fd, std::string& output) {
  char buffer[4096];
  for (;;) {
    ssize_t got = read(fd, buffer, sizeof buffer);
    if (got > 0) {
      output.append(buffer, static_cast<size_t>(got));
      continue;
    }
    return got < 0 && errno == EAGAIN;
  }
}

// Collects the child's output until it ends (not until the pipe closes: a
// Wine helper process may keep the pipe open).
int Collect(pid_t child, int fd, std::string& output) {
  // <chrono> cannot be compiled with the code page 932 execution charset.
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const time_t deadline = now.tv_sec + kDriverLimitSeconds;
  int status = 0;
  for (;;) {
    pollfd wanted{fd, POLLIN, 0};
    poll(&wanted, 1, kPollMs);
    bool open = Drain(fd, output);
    if (waitpid(child, &status, WNOHANG) == child) {
      Drain(fd, output);
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    if (!open) {
      waitpid(child, &status, 0);
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    clock_gettime(CLOCK_MONOTONIC, &now);
    if (now.tv_sec > deadline) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      output += "ERROR the driver did not end within its limit\n";
      return -1;
    }
  }
}

}  // namespace

bool DriverRun::Followed() const {
  return status == 0 && !transcript.Lines().empty() &&
         transcript.Lines().back() == std::vector<std::string>{"done"};
}

namespace {

DriverRun RunDriverOnce(const std::vector<std::string>& words) {
  DriverRun run;
  std::vector<std::string> arguments = {QPX_E2E_WINE, QPX_E2E_DRIVER_EXE};
  for (const std::string& word : words) arguments.push_back(DriverWord(word));
  std::vector<std::string> environment = WineEnvironment();
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return run;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  pid_t child = -1;
  int spawned = posix_spawn(&child, QPX_E2E_WINE, &actions, nullptr, Pointers(arguments).data(),
                            Pointers(environment).data());
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  if (spawned == 0) {
    fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);
    run.status = Collect(child, pipeFds[0], run.output);
  }
  close(pipeFds[0]);
  run.transcript = Transcript(run.output);
  return run;
}

}  // namespace

DriverRun RunDriver(const std::vector<std::string>& words) {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') {
    ADD_FAILURE() << "DISPLAY is not set: the end-to-end tests need an X display "
                     "(start Xvfb and export DISPLAY, or run tools/test)";
    return DriverRun();
  }
  // A driver prints a line for its first step at the latest: a failure with
  // no output at all is Wine's own, starting on a busy machine, and the
  // plan is given to it once more.
  DriverRun run;
  for (int attempt = 0; attempt < 3; ++attempt) {
    run = RunDriverOnce(words);
    if (run.status == 0 || !run.output.empty()) break;
  }
  return run;
}

std::string Cp932FromUtf8(const std::string& utf8) {
  iconv_t convert = iconv_open("CP932", "UTF-8");
  std::string out(utf8.size() * 2 + 1, '\0');
  char* in = const_cast<char*>(utf8.data());
  size_t inLeft = utf8.size();
  char* at = out.data();
  size_t outLeft = out.size();
  iconv(convert, &in, &inLeft, &at, &outLeft);
  iconv_close(convert);
  out.resize(out.size() - outLeft);
  return out;
}

std::string WindowsPath(const std::string& linuxPath) {
  std::string path = "Z:" + Cp932FromUtf8(linuxPath);
  for (size_t at = 2; at < path.size(); ++at) {
    unsigned char c = static_cast<unsigned char>(path[at]);
    if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
      ++at;  // a double-byte character: its second byte is no separator
    } else if (c == '/') {
      path[at] = '\\';
    }
  }
  return path;
}

std::string RunnerExe() { return WindowsPath(QPX_E2E_RUNNER_EXE); }

int WineCodePage() {
  const char* codePage = std::getenv("QPX_E2E_CODEPAGE");
  return codePage != nullptr && std::string(codePage) == "1252" ? 1252 : 932;
}

bool WineWithoutLocale() {
  const char* locale = std::getenv("QPX_E2E_LOCALE");
  return locale != nullptr && std::string(locale) == "none";
}

std::string RunSuffix() {
  return std::string(WineCodePage() == 932 ? "" : "-1252") +
         (WineWithoutLocale() ? "-nolocale" : "");
}

std::string UnicodeWord(const std::string& utf8) { return kUnicodePrefix + hex::Encode(utf8); }

std::string Utf8WindowsPath(const std::string& linuxPath) {
  std::string path = "Z:" + linuxPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

}  // namespace e2e
