// A message as a message box shows it: text, caption and the icon and
// button flags.
#pragma once

#include <string_view>

#include "platform/MessageBox.h"
#include "platform/Types.h"

// The captions of every program's message boxes, and the flags of an error.
inline constexpr std::string_view kErrorCaption = "エラー";
inline constexpr std::string_view kConfirmCaption = "確認";
inline constexpr unsigned kErrorFlags = platform::kMbOk | platform::kMbIconError;

struct OutcomeMessage {
  std::string_view text;
  std::string_view caption;
  unsigned flags;
};

// Shows the message in a message box owned by owner (or none); the button
// pressed.
int ShowMessage(platform::WindowHandle owner, const OutcomeMessage& message);
