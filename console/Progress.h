// A progress bar on standard error for long work: shown only when
// standard error is a terminal, and only for files large enough to take
// about a second or more.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Files above this size count as long work.
constexpr uint64_t kLongWorkBytes = uint64_t{64} << 20;

// The size of a file in bytes, or 0 when it cannot be opened.
uint64_t FileSize(const std::string& path);

// A bar of one step, cleared when it ends.
class CProgress {
 public:
  // Shows the bar when show is true and standard error is a terminal;
  // otherwise every call does nothing.
  explicit CProgress(bool show);
  ~CProgress();
  CProgress(const CProgress&) = delete;
  CProgress& operator=(const CProgress&) = delete;

  // Starts the step, described by what (CP932 text).
  void Step(std::string_view what);

 private:
  bool shown_;
};

// The line drawn while step (from 1) of total steps runs, in a terminal
// of width columns: the bar shows the steps finished before it.
std::string ProgressLine(uint64_t step, uint64_t total, std::string_view what, int columns);
