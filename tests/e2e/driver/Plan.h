// Runs a plan given as the driver's command-line words.
#pragma once

#include <string>
#include <vector>

#include "Session.h"

namespace drive {

// Follows the steps in order; false at the first step that fails or at a
// word that names no step (after reporting an ERROR line).
bool FollowPlan(Session& session, const std::vector<std::string>& words);

}  // namespace drive
