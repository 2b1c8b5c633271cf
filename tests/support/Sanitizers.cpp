#include "tests/support/Sanitizers.h"

#ifdef QPX_UNDER_ADDRESS_SANITIZER
// Allocations the program makes "without throwing" must answer null, as
// they do when the system runs out of memory, rather than end the run.
extern "C" const char* __asan_default_options() {
  return "allocator_may_return_null=1:max_allocation_size_mb=2048";
}
static_assert(kSanitizedAllocationLimitMb == 2048, "keep the option text in step");
#endif
