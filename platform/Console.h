// What a console program asks of its system: its standard streams, and
// whether there is a registry to write to.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

enum class StdStream { kInput, kOutput, kError };

// True when the stream is a terminal (a console window on Windows).
bool IsTerminal(StdStream stream);
// Writes every byte unchanged, with no line-end translation; false when
// the stream refuses them.
bool WriteStd(StdStream stream, const void* data, size_t size);
// Reads one line of standard input without its line end; false at the
// end of the input.
bool ReadStdLine(std::string& line);
// The width of the terminal behind the stream in columns, or 80.
int TerminalColumns(StdStream stream);
// True when the system has a registry (Windows).
bool HasRegistry();

}  // namespace platform
