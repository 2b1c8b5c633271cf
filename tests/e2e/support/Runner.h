// Running qpxrun through the driver, and what every run must show.
#pragma once

#include <string>
#include <vector>

#include "Driver.h"

namespace e2e {

// What the program's message box must show.
struct ExpectedMessage {
  std::string text;
  std::string caption;
  std::string icon;
};

// The messages of qpxrun, byte for byte.
ExpectedMessage LoadFailedMessage();
ExpectedMessage ReasonMessage(int reason);
ExpectedMessage OtherFailureMessage();

// launch qpxrun.exe CWD TAIL, the steps, then "exit"; with a held file,
// the driver first opens it with writing denied and keeps it open.
DriverRun RunRunner(const std::string& cwd, const std::string& tail,
                    const std::vector<std::string>& steps = {}, const std::string& heldFile = "");
// Runs qpxrun expecting exactly one message box, which it answers with OK.
DriverRun RunRunnerExpectingMessage(const std::string& cwd, const std::string& tail,
                                    const std::vector<std::string>& stepsBefore = {},
                                    const std::string& heldFile = "");

// The plan was followed, no message box came and the exit code was 0.
void ExpectSilentRun(const DriverRun& run);
// The plan was followed, the one message box showed `message` with an OK
// button only and no owner window, and the exit code was 0.
void ExpectMessage(const DriverRun& run, const ExpectedMessage& message);

}  // namespace e2e
