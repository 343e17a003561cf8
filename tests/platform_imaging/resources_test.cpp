// FindResource and friends over resource tables linked into the program:
// names and types without regard to case, integer identifiers, missing
// resources and a table's lifetime. Depends on: the resources header.
#include <gtest/gtest.h>

#include "platform/kernel32.h"
#include "platform/resources.h"

namespace {

const char first_bytes[] = "first";
const unsigned char second_bytes[] = {1, 2, 3};

const platform::resource_entry entries[] = {
    {L"PNG", L"Logo", first_bytes, sizeof first_bytes - 1},
    {L"DATA", MAKEINTRESOURCEW(7), second_bytes, sizeof second_bytes},
};
const platform::resource_table table(entries, 2);

TEST(Resources, FoundByNameAndTypeWithoutRegardToCase) {
  for (HMODULE module : {HMODULE(nullptr), GetModuleHandleW(nullptr)}) {
    HRSRC found = FindResourceW(module, L"LOGO", L"png");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(SizeofResource(module, found), 5u);
    EXPECT_EQ(LockResource(LoadResource(module, found)), static_cast<const void*>(first_bytes));
  }
}

TEST(Resources, IntegerIdentifiersMatchOnlyThemselves) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(7), L"DATA");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(SizeofResource(nullptr, found), 3u);
  EXPECT_EQ(FindResourceW(nullptr, L"#7", L"DATA"), nullptr);
  EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(8), L"DATA"), nullptr);
}

TEST(Resources, MissingOnesSetTheLastError) {
  EXPECT_EQ(FindResourceW(nullptr, L"Nothing", L"PNG"), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(FindResourceW(nullptr, L"Logo", L"JPEG"), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_EQ(FindResourceW(reinterpret_cast<HMODULE>(0x1234), L"Logo", L"PNG"), nullptr);
  EXPECT_EQ(FindResourceW(nullptr, nullptr, L"PNG"), nullptr);
  EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
  EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
}

TEST(Resources, ATableLeavesWithItsObject) {
  const unsigned char bytes[] = {9};
  const platform::resource_entry local[] = {{L"TEMP", L"ONE", bytes, 1}};
  {
    const platform::resource_table scoped(local, 1);
    EXPECT_NE(FindResourceW(nullptr, L"one", L"temp"), nullptr);
  }
  EXPECT_EQ(FindResourceW(nullptr, L"one", L"temp"), nullptr);
  EXPECT_NE(FindResourceW(nullptr, L"logo", L"png"), nullptr);
}

}  // namespace
