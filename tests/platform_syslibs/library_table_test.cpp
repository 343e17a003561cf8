// The library table: names, reference counts, entry look-up and the imm32
// stand-in (the seam that hides libraries is pinned by its users, the Frond
// system-library tests). Depends on: the kernel32 and syslibs headers.
#include <gtest/gtest.h>

#include "platform/kernel32.h"
#include "platform/syslibs.h"

namespace {

TEST(Libraries, NamesMatchWithoutCaseOrSuffix) {
  const HMODULE msimg32 = LoadLibraryA("msimg32.dll");
  ASSERT_NE(msimg32, nullptr);
  EXPECT_EQ(LoadLibraryA("MSIMG32.DLL"), msimg32);
  EXPECT_EQ(LoadLibraryA("MsImg32"), msimg32);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(FreeLibrary(msimg32));

  for (const char* name : {"imm32.dll", "winmm.dll", "Ole32.dll", "ole32"}) {
    const HMODULE module = LoadLibraryA(name);
    EXPECT_NE(module, nullptr) << name;
    EXPECT_NE(module, msimg32) << name;
    FreeLibrary(module);
  }
}

TEST(Libraries, OtherNamesAreNotFound) {
  for (const char* name : {"gdiplus.dll", "msimg32.dl", "msimg32.dll.dll", "", "kernel32.dll"}) {
    SetLastError(0);
    EXPECT_EQ(LoadLibraryA(name), nullptr) << name;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND)) << name;
  }
}

// The entries each library offers are found by their users (the msimg32,
// winmm and ole32 tests); here, the names that find nothing.
TEST(Libraries, EntriesAreFoundByExactNameOnly) {
  const HMODULE winmm = LoadLibraryA("winmm.dll");
  SetLastError(0);
  EXPECT_EQ(GetProcAddress(winmm, "timebeginperiod"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(GetProcAddress(winmm, "AlphaBlend"), nullptr);
  EXPECT_EQ(GetProcAddress(winmm, reinterpret_cast<LPCSTR>(uintptr_t{1})), nullptr);  // ordinals
  FreeLibrary(winmm);
}

TEST(Libraries, FreedModulesAreReferenceCounted) {
  const HMODULE imm32 = LoadLibraryA("imm32.dll");
  EXPECT_EQ(LoadLibraryA("imm32.dll"), imm32);
  EXPECT_TRUE(FreeLibrary(imm32));
  EXPECT_NE(GetProcAddress(imm32, "ImmGetContext"), nullptr);  // one reference left
  EXPECT_TRUE(FreeLibrary(imm32));
  EXPECT_EQ(GetProcAddress(imm32, "ImmGetContext"), nullptr);
  EXPECT_FALSE(FreeLibrary(imm32));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(FreeLibrary(nullptr));
  EXPECT_EQ(GetProcAddress(nullptr, "ImmGetContext"), nullptr);
}

// That a window's context places its composition spot is pinned with a real
// window (the EDIT control's tests); here, what there is no window for.
TEST(Libraries, Imm32ContextsWithoutAWindow) {
  const HMODULE imm32 = LoadLibraryA("imm32.dll");
  const auto get_context = reinterpret_cast<ImmGetContext_fn>(GetProcAddress(imm32, "ImmGetContext"));
  const auto set_window =
      reinterpret_cast<ImmSetCompositionWindow_fn>(GetProcAddress(imm32, "ImmSetCompositionWindow"));
  const auto release = reinterpret_cast<ImmReleaseContext_fn>(GetProcAddress(imm32, "ImmReleaseContext"));
  const HWND no_window = reinterpret_cast<HWND>(uintptr_t{0x1000});
  COMPOSITIONFORM form{CFS_POINT, {10, 20}, {0, 0, 0, 0}};
  EXPECT_FALSE(set_window(get_context(no_window), &form));
  EXPECT_TRUE(release(no_window, get_context(no_window)));
  FreeLibrary(imm32);
}

}  // namespace
