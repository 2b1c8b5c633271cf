#include "interpreter/Outcome.h"

const OutcomeMessage& LoadFailedMessage() { return Outcome::kLoadFailed; }

const Outcome::ReasonRow& ReasonOf(int32_t reason) {
  if (!IsReason(reason)) return Outcome::kOtherFailure;
  return Outcome::kReasons[static_cast<size_t>(reason)];
}
