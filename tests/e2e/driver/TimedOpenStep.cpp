// timedopen ID FIRST SECOND LISTING: times a menu command that asks for two
// files and fills the main window's EDIT pane (qpxdiff's Open), from posting
// the command to the pane holding the expected text and being painted. The
// driver's own reaction to each dialog is timed apart from the program's
// work, so that a benchmark can leave it out.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "Steps.h"
#include "Windows.h"

namespace drive {

namespace {

// Short polls: a wait of 15 ms would blur the figures.
constexpr DWORD kTimedPollMs = 1;

class Clock {
 public:
  Clock() { QueryPerformanceFrequency(&frequency_); }
  LONGLONG Now() const {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
  }
  double Ms(LONGLONG from, LONGLONG to) const {
    return static_cast<double>(to - from) * 1000.0 / static_cast<double>(frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_{};
};

std::string Milliseconds(double ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", ms);
  return text;
}

bool ReadWhole(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool TimedOut(Session& session, const Clock& clock, LONGLONG start, const char* what) {
  if (clock.Ms(start, clock.Now()) <= session.timeoutMs) return false;
  session.out.Error(std::string("timeout waiting for ") + what);
  return true;
}

// A visible file dialog of the program other than `previous`; a message box
// is an error (a file that could not be read).
HWND WaitForNewFileDialog(Session& session, const Clock& clock, HWND previous) {
  LONGLONG start = clock.Now();
  for (;;) {
    for (HWND window : VisibleWindowsOf(session.processId)) {
      if (window == previous) continue;
      WindowKind kind = KindOf(window);
      if (kind == WindowKind::kFileDialog) return window;
      if (kind == WindowKind::kMessageBox) {
        ReportUnexpected(session, window);
        session.out.Error("a message box came while waiting for a file dialog");
        return nullptr;
      }
    }
    if (session.ProcessEnded() || TimedOut(session, clock, start, "a file dialog")) return nullptr;
    Sleep(kTimedPollMs);
  }
}

// Asks the pane its length until it is `length`: a question sent while the
// program works waits until the program takes messages again.
bool WaitForLength(Session& session, const Clock& clock, HWND pane, size_t length) {
  LONGLONG start = clock.Now();
  for (;;) {
    DWORD_PTR got = 0;
    if (SendMessageTimeoutA(pane, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, session.timeoutMs, &got) &&
        got == length) {
      return true;
    }
    if (session.ProcessEnded() || TimedOut(session, clock, start, "the pane's text")) return false;
    Sleep(kTimedPollMs);
  }
}

// The pane has drawn its text once nothing of it waits to be painted.
bool WaitForPainted(Session& session, const Clock& clock, HWND pane) {
  LONGLONG start = clock.Now();
  while (GetUpdateRect(pane, nullptr, FALSE)) {
    if (TimedOut(session, clock, start, "the pane to be painted")) return false;
    Sleep(kTimedPollMs);
  }
  return true;
}

struct Marks {
  LONGLONG posted, firstShown, firstAnswered, secondShown, secondAnswered, listed, painted;
};

bool RunTimedOpen(Session& session, const Clock& clock, HWND main, HWND pane, unsigned long id,
                  const std::vector<std::string>& args, size_t length, Marks& marks) {
  marks.posted = clock.Now();
  PostMessageA(main, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  HWND first = WaitForNewFileDialog(session, clock, nullptr);
  if (first == nullptr) return false;
  marks.firstShown = clock.Now();
  if (!TypeFileName(session, first, args[1])) return false;
  marks.firstAnswered = clock.Now();
  HWND second = WaitForNewFileDialog(session, clock, first);
  if (second == nullptr) return false;
  marks.secondShown = clock.Now();
  if (!TypeFileName(session, second, args[2])) return false;
  marks.secondAnswered = clock.Now();
  if (!WaitForLength(session, clock, pane, length)) return false;
  marks.listed = clock.Now();
  if (!WaitForPainted(session, clock, pane)) return false;
  marks.painted = clock.Now();
  return true;
}

void Report(Session& session, const Clock& clock, const Marks& marks) {
  auto line = [&](const char* event, LONGLONG from, LONGLONG to) {
    session.out.Line(event, Milliseconds(clock.Ms(from, to)));
  };
  line("timedopen.firstdialog", marks.posted, marks.firstShown);
  line("timedopen.firstanswer", marks.firstShown, marks.firstAnswered);
  line("timedopen.seconddialog", marks.firstAnswered, marks.secondShown);
  line("timedopen.secondanswer", marks.secondShown, marks.secondAnswered);
  line("timedopen.listed", marks.secondAnswered, marks.listed);
  line("timedopen.painted", marks.listed, marks.painted);
  line("timedopen.total", marks.posted, marks.listed);
}

}  // namespace

bool StepTimedOpen(Session& session, const std::vector<std::string>& args) {
  unsigned long id = 0;
  if (!ParseNumber(args[0], id)) {
    session.out.Error("'" + args[0] + "' is no command id");
    return false;
  }
  std::string expected;
  if (!ReadWhole(args[3], expected)) {
    session.out.Error("cannot read the expected listing " + args[3]);
    return false;
  }
  HWND main = WaitForWindow(session, WindowKind::kMain);
  HWND pane = main ? FindChildOfClass(main, "Edit") : nullptr;
  if (pane == nullptr || !WaitForNoDialog(session)) {
    if (main != nullptr && pane == nullptr) session.out.Error("the main window has no EDIT child");
    return false;
  }
  Clock clock;
  Marks marks{};
  if (!RunTimedOpen(session, clock, main, pane, id, args, expected.size(), marks)) return false;
  Report(session, clock, marks);
  RECT rect{};
  GetClientRect(pane, &rect);
  session.out.Line("timedopen.pane",
                   std::to_string(rect.right) + " " + std::to_string(rect.bottom));
  session.out.Line("timedopen.same", TextOf(pane) == expected ? "yes" : "no");
  return true;
}

}  // namespace drive
