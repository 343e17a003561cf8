// The input box before any window exists: it returns an empty line at once.
// Depends on: graphics/frond.h only.
#include <gtest/gtest.h>

#include "graphics/frond.h"

TEST(InputBoxWithoutWindow, ReturnsAnEmptyLineAtOnce) {
  wchar_t wide[8] = L"###";
  EXPECT_EQ(frond::inputbox_getline(L"t", L"p", wide, 8), 0);
  EXPECT_EQ(wide[0], L'\0');
  char narrow[8] = "###";
  EXPECT_EQ(frond::inputbox_getline("t", "p", narrow, 8), 0);
  EXPECT_EQ(narrow[0], '\0');
}
