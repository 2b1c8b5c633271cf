// A message as a message box shows it: text, caption and the icon and
// button flags.
#pragma once

#include <string_view>

#include "platform/Types.h"

struct OutcomeMessage {
  std::string_view text;
  std::string_view caption;
  unsigned flags;
};

// Shows the message in a message box owned by owner (or none); the button
// pressed.
int ShowMessage(platform::WindowHandle owner, const OutcomeMessage& message);
