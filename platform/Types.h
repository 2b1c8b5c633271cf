// Handle types shared by the platform calls.
#pragma once

#include <cstdint>

namespace platform {

using WindowHandle = void*;
using InstanceHandle = void*;

}  // namespace platform
