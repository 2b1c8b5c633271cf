// Running qpxdiff through the driver: its menu commands as driver steps,
// and the texts it must show.
#pragma once

#include <string>
#include <vector>

#include "Driver.h"

namespace e2e::diff {

constexpr const char* kOpen = "40001";
constexpr const char* kCreateScript = "40002";
constexpr const char* kExit = "40004";

using Steps = std::vector<std::string>;

// launch qpxdiff.exe (in folder `cwd`, empty: the driver's, with the
// command-line tail given), the steps, then Exit from the menu and "exit".
DriverRun RunDiff(const Steps& steps, const std::string& cwd = "", const std::string& tail = "");

// Open with the two files chosen (the word "cancel" cancels that dialog).
// No second dialog follows a cancelled first one, nor one given as "" (a
// first file that fails to load).
Steps OpenSteps(const std::string& first, const std::string& second);
// Create script answering the question (Yes or No) and saving as `path`
// (or "cancel"); a saved script ends with the message box answered OK.
Steps CreateScriptSteps(const std::string& answer, const std::string& path);

std::string InitialPaneText();
std::string SizeMismatchText();
// "Address = first : second" and the lines given, each ended by CR LF.
std::string Listing(const std::string& first, const std::string& second,
                    const std::vector<std::string>& lines);

// The state of a menu item in the last "menu" step's list: "enabled",
// "grayed", ..., or "<missing>".
std::string MenuState(const Transcript& transcript, const std::string& id);
// The nth (0-based) line of the event, its words after the event.
std::vector<std::string> Nth(const Transcript& transcript, const std::string& event, size_t n);
// The hex word `index` of that line as text.
std::string NthText(const Transcript& transcript, const std::string& event, size_t n,
                    size_t index = 0);

}  // namespace e2e::diff
