// Clocks: the 32-bit tick count wraps (moved near the wrap through the test
// seam), the 64-bit count and the nanosecond performance counter.
#include <gtest/gtest.h>

#include "platform/kernel32.h"

namespace {

class TickCount : public ::testing::Test {
 protected:
  void TearDown() override { platform_test::set_tick_count(static_cast<DWORD>(GetTickCount64())); }
};

TEST_F(TickCount, SeamSetsTheCurrentValue) {
  platform_test::set_tick_count(1000000);
  const DWORD now = GetTickCount();
  EXPECT_GE(now, 1000000u);
  EXPECT_LT(now, 1000000u + 60000u);
}

TEST_F(TickCount, WrapsAtTwoToTheThirtyTwo) {
  platform_test::set_tick_count(0xFFFFFF00u);
  const DWORD before = GetTickCount();
  EXPECT_GE(before, 0xFFFFFF00u);
  Sleep(300);
  const DWORD after = GetTickCount();
  EXPECT_LT(after, before);  // wrapped past zero
  EXPECT_GE(static_cast<DWORD>(after - before), 300u);  // the unsigned difference still counts forward
}

TEST_F(TickCount, SixtyFourBitCountIgnoresTheSeamAndNeverWraps) {
  const ULONGLONG before = GetTickCount64();
  platform_test::set_tick_count(0xFFFFFFFFu);
  const ULONGLONG after = GetTickCount64();
  EXPECT_GE(after, before);
  EXPECT_LT(after - before, 60000u);
}

TEST(PerformanceCounter, CountsNanoseconds) {
  LARGE_INTEGER frequency, first, second;
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  EXPECT_EQ(frequency.QuadPart, 1000000000LL);
  ASSERT_TRUE(QueryPerformanceCounter(&first));
  Sleep(2);
  ASSERT_TRUE(QueryPerformanceCounter(&second));
  EXPECT_GE(second.QuadPart - first.QuadPart, 2000000LL);
  EXPECT_FALSE(QueryPerformanceCounter(nullptr));
  EXPECT_FALSE(QueryPerformanceFrequency(nullptr));
}

TEST(SleepCall, SleepsAtLeastTheRequestedTime) {
  const ULONGLONG before = GetTickCount64();
  Sleep(25);
  EXPECT_GE(GetTickCount64() - before, 24u);  // whole milliseconds on both sides may round down by one
  Sleep(0);
}

}  // namespace
