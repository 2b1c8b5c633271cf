// Running script text through the interpreter, against a fresh stand-in.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "language/RunHost.h"
#include "tests/support/TestFiles.h"

// Resets the platform stand-in before each test.
class StandInTest : public testing::Test {
 protected:
  void SetUp() override;
};

// The text between double quotes, as a script writes a quoted unit.
std::string Quoted(const std::string& text);

// Writes text as the script file name in folder, loads it and runs it
// with qpxrun's host: the reason of the CParseScriptException, or nothing
// when the run completed. A script that does not load fails the test.
std::optional<int> RunScriptText(const TempFolder& folder, const std::string& text,
                                 const std::string& name = "script.qpx");
// The same with the given host.
std::optional<int> RunScriptText(const TempFolder& folder, const std::string& text, CRunHost& host,
                                 const std::string& name = "script.qpx");
