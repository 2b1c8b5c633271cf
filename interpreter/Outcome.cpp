#include "interpreter/Outcome.h"

const OutcomeMessage& LoadFailedMessage() { return Outcome::kLoadFailed; }

const OutcomeMessage& ReasonMessage(int32_t reason) {
  if (!IsReason(reason)) return Outcome::kOtherFailure;
  return Outcome::kReasonMessages[static_cast<size_t>(reason)];
}
