#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/Memory.h"

namespace {

class Blocks : public testing::TestWithParam<size_t> {};

// Small blocks come from the heap and large ones from the system; either
// must hold every byte asked for.
TEST_P(Blocks, HoldEveryByteAskedFor) {
  const size_t size = GetParam();
  platform::CAutoFreeBlock block(size);
  ASSERT_TRUE(block.IsValid());
  std::memset(block.Get(), 0xA5, size);
  for (size_t at = 0; at < size; at += 4093) {
    ASSERT_EQ(static_cast<unsigned char>(block.Get()[at]), 0xA5);
  }
  if (size > 0) {
    EXPECT_EQ(static_cast<unsigned char>(block.Get()[size - 1]), 0xA5);
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, Blocks,
                         testing::Values(0, 1, 4095, (size_t{1} << 20) - 1, size_t{1} << 20,
                                         (size_t{3} << 20) + 5));

TEST(Blocks, MovingHandsTheBlockOn) {
  platform::CAutoFreeBlock first(size_t{2} << 20);
  char* bytes = first.Get();
  platform::CAutoFreeBlock second(std::move(first));
  EXPECT_FALSE(first.IsValid());
  EXPECT_EQ(second.Get(), bytes);
  platform::CAutoFreeBlock third(16);
  third = std::move(second);
  EXPECT_EQ(third.Get(), bytes);
}

// A list that grows from a few entries past the size where its blocks
// come from the system keeps every entry.
TEST(Blocks, AContainerGrowsAcrossBothKindsOfBlock) {
  std::vector<uint32_t, platform::LargeBlockAllocator<uint32_t>> values;
  for (uint32_t value = 0; value < (1u << 20); ++value) values.push_back(value * 2654435761u);
  for (uint32_t value = 0; value < (1u << 20); value += 997) {
    ASSERT_EQ(values[value], value * 2654435761u);
  }
}

}  // namespace
