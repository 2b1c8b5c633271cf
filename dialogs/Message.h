// A message as a message box shows it: text, caption and the icon and
// button flags.
#pragma once

#include <string_view>

struct OutcomeMessage {
  std::string_view text;
  std::string_view caption;
  unsigned flags;
};
