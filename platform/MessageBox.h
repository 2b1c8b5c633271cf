// MessageBoxA and the flags and answers the programs use.
#pragma once

#include <string>

#include "platform/Types.h"

namespace platform {

constexpr unsigned kMbOk = 0x00000000;
constexpr unsigned kMbYesNo = 0x00000004;
constexpr unsigned kMbIconError = 0x00000010;
constexpr unsigned kMbIconQuestion = 0x00000020;
constexpr unsigned kMbIconExclamation = 0x00000030;
constexpr unsigned kMbIconInformation = 0x00000040;
constexpr unsigned kMbDefButton2 = 0x00000100;

constexpr int kIdOk = 1;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// Shows a modal message box and returns the button pressed.
int MessageBoxA(WindowHandle owner, const std::string& text, const std::string& caption,
                unsigned flags);

// A question longer than a message box holds: a modal dialog with the
// exclamation icon, the text in a read-only box that scrolls, and Yes and
// No, No the default (Escape and closing answer No). Returns kIdYes or
// kIdNo.
int ScrollingQuestionBoxA(WindowHandle owner, const std::string& text, const std::string& caption);

}  // namespace platform
