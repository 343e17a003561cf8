// Global memory: fixed and moveable blocks, lock counts, zero filling,
// resizing and stale handles.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/kernel32.h"

namespace {

bool all_zero(const void* memory, size_t bytes) {
  const auto* p = static_cast<const unsigned char*>(memory);
  for (size_t i = 0; i < bytes; ++i) {
    if (p[i] != 0) return false;
  }
  return true;
}

TEST(GlobalMemory, FixedBlockHandleIsItsMemory) {
  HGLOBAL block = GlobalAlloc(GPTR, 100);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(GlobalLock(block), block);
  EXPECT_TRUE(all_zero(block, 100));
  EXPECT_EQ(GlobalSize(block), 100u);
  EXPECT_FALSE(GlobalUnlock(block));
  EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(GlobalMemory, MoveableBlockLocksToAStablePointerAndCountsLocks) {
  HGLOBAL block = GlobalAlloc(GHND, 64);
  void* first = GlobalLock(block);
  ASSERT_NE(first, nullptr);
  EXPECT_NE(first, block);
  EXPECT_TRUE(all_zero(first, 64));
  std::memset(first, 0xAB, 64);
  EXPECT_EQ(GlobalLock(block), first);
  EXPECT_TRUE(GlobalUnlock(block));  // still locked once
  EXPECT_FALSE(GlobalUnlock(block));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_FALSE(GlobalUnlock(block));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));
  EXPECT_EQ(static_cast<unsigned char*>(GlobalLock(block))[63], 0xAB);
  GlobalUnlock(block);
  EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(GlobalMemory, ReAllocKeepsContentsAndZeroFillsOnRequest) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
  std::memcpy(GlobalLock(block), "abcd", 4);
  GlobalUnlock(block);
  EXPECT_EQ(GlobalReAlloc(block, 4096, GMEM_MOVEABLE | GMEM_ZEROINIT), block);
  EXPECT_EQ(GlobalSize(block), 4096u);
  const char* memory = static_cast<const char*>(GlobalLock(block));
  EXPECT_EQ(std::memcmp(memory, "abcd", 4), 0);
  EXPECT_TRUE(all_zero(memory + 4, 4092));
  GlobalUnlock(block);
  GlobalFree(block);

  // A fixed block cannot grow in place unless it may move.
  HGLOBAL fixed = GlobalAlloc(GMEM_FIXED, 8);
  EXPECT_EQ(GlobalReAlloc(fixed, 1 << 20, 0), nullptr);
  EXPECT_EQ(GlobalReAlloc(fixed, 4, 0), fixed);
  EXPECT_EQ(GlobalSize(fixed), 4u);
  HGLOBAL moved = GlobalReAlloc(fixed, 1 << 20, GMEM_MOVEABLE);
  ASSERT_NE(moved, nullptr);
  EXPECT_EQ(GlobalSize(moved), size_t{1} << 20);
  EXPECT_EQ(GlobalFree(moved), nullptr);
}

TEST(GlobalMemory, FreedAndUnknownHandlesFailCleanly) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 16);
  GlobalFree(block);
  EXPECT_EQ(GlobalLock(block), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GlobalSize(block), 0u);
  EXPECT_EQ(GlobalFree(block), block);
  int not_a_block = 0;
  EXPECT_EQ(GlobalLock(&not_a_block), nullptr);
}

}  // namespace
