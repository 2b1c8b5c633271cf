// What qpxrun shows at the end of a run, by outcome.
#pragma once

#include <cstdint>

#include "dialogs/Message.h"

// The message for a failed script load.
const OutcomeMessage& LoadFailedMessage();
// The message for a run-loop reason; a code that names no reason gives
// the general failure message.
const OutcomeMessage& ReasonMessage(int32_t reason);
