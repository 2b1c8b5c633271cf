// Whether the tests run under AddressSanitizer. It reserves a large address
// space of its own, so a test cannot lower the address-space limit to make
// an allocation fail; instead the sanitized test program refuses every
// single allocation above kSanitizedAllocationLimitMb (Sanitizers.cpp).
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define QPX_UNDER_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QPX_UNDER_ADDRESS_SANITIZER 1
#endif
#endif

#ifdef QPX_UNDER_ADDRESS_SANITIZER
constexpr bool kUnderAddressSanitizer = true;
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

constexpr unsigned kSanitizedAllocationLimitMb = 2048;
