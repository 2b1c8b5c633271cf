// Where a unit of a script stands: its line, found from the script text
// only when a failure is reported, so that running costs nothing extra.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The line (from 1) on which unit number index (from 0) starts, the text
// cut into units as the interpreter cuts it; CR LF, LF and CR each end a
// line. 0 when the text has no such unit.
size_t LineOfUnit(std::string_view text, size_t index);

// The script file's text up to its first zero byte; empty when it cannot
// be read.
std::string ReadScriptText(const std::string& path);
