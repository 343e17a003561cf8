// The screen DC: a 1920x1080 32-bit virtual screen, black until painted,
// shared by every GetDC(NULL), released with ReleaseDC.
#include <gtest/gtest.h>

#include "gdi/surface.h"
#include "gdi_test_util.h"
#include "platform/user32.h"

using gdi_test::TestDib;

namespace {

TEST(Screen, GetDcOfTheScreen) {
  const HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(GetObjectType(screen), static_cast<DWORD>(OBJ_DC));
  EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 1920);
  EXPECT_EQ(GetDeviceCaps(screen, VERTRES), 1080);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
  platform::gdi::Surface s;
  ASSERT_TRUE(platform::gdi::dc_surface(screen, &s));
  EXPECT_EQ(s.width, 1920);
  EXPECT_EQ(s.height, 1080);
  EXPECT_EQ(s.bits_per_pixel, 32);
  EXPECT_EQ(GetPixel(screen, 1919, 1079), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(screen, 1920, 0), CLR_INVALID);
  RECT box{};
  EXPECT_EQ(GetClipBox(screen, &box), SIMPLEREGION);
  EXPECT_EQ(box.right, 1920);
  // No bitmap goes into the screen DC.
  TestDib dib(2, 2);
  const HBITMAP spare = CreateCompatibleBitmap(screen, 2, 2);
  EXPECT_EQ(SelectObject(screen, spare), nullptr);
  EXPECT_TRUE(DeleteObject(spare));
  EXPECT_FALSE(DeleteDC(screen));  // released, not deleted
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 0);
  EXPECT_EQ(ReleaseDC(nullptr, dib.dc), 0);  // a memory DC is not released
}

TEST(Screen, PaintingIsSharedByEveryScreenDc) {
  const HDC a = GetDC(nullptr), b = GetDC(nullptr);
  TestDib src(3, 3), back(3, 3);
  src.fill(0xFF336699u);
  ASSERT_TRUE(BitBlt(a, 100, 200, 3, 3, src.dc, 0, 0, SRCCOPY));
  ASSERT_TRUE(BitBlt(back.dc, 0, 0, 3, 3, b, 100, 200, SRCCOPY));
  EXPECT_EQ(back.pixels(), src.pixels());
  ASSERT_TRUE(BitBlt(a, 100, 200, 3, 3, nullptr, 0, 0, BLACKNESS));  // leave the screen black
  EXPECT_EQ(GetPixel(b, 101, 201), RGB(0, 0, 0));
  EXPECT_EQ(ReleaseDC(nullptr, a), 1);
  EXPECT_EQ(ReleaseDC(nullptr, b), 1);
  EXPECT_EQ(GetDC(reinterpret_cast<HWND>(0x1234)), nullptr);
}

}  // namespace
