#include "dialogs/Message.h"

#include <string>

#include "platform/MessageBox.h"

int ShowMessage(platform::WindowHandle owner, const OutcomeMessage& message) {
  return platform::MessageBoxA(owner, std::string(message.text), std::string(message.caption),
                               message.flags);
}
