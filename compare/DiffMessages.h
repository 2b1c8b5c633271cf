// The message boxes of the difference-script maker.
#pragma once

#include <string>

#include "platform/Types.h"
#include "dialogs/Message.h"

enum class DiffMessage {
  kFirstLoadFailed,
  kSecondLoadFailed,
  kOutOfMemory,
  kCannotCreate,
  kCannotSave,
  kCreated,
  kAbout,
};

const OutcomeMessage& MessageOf(DiffMessage message);
// Shows the message in a message box owned by owner.
void ShowMessage(platform::WindowHandle owner, DiffMessage message);

// "first から second に変更する…": Yes writes the forward script, No the
// reverse one.
std::string DirectionQuestion(const std::string& firstPath, const std::string& secondPath);
inline constexpr std::string_view kQuestionCaption = "確認";
