// The screen DC (a 1920x1080 32-bit virtual screen shared by every
// GetDC(NULL), released with ReleaseDC) and what a screen capture calls: the
// display's DC, the stock palette, a blit from the screen into a 24-bit
// bottom-up DIB section and GetDIBits of it, compared with the painted screen.
// Depends on: gdi_test_util.h and the headless screen's test seam.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <vector>

#include "gdi_test_util.h"
#include "platform/test_seams.h"
#include "platform/user32.h"
#include "platform/windowing.h"

namespace {

// Every test of this program draws on the headless screen, also when DISPLAY is set.
class HeadlessScreen : public ::testing::Environment {
 public:
  void SetUp() override { platform_test::use_headless_display(); }
};
[[maybe_unused]] const auto* const headless_screen_environment = ::testing::AddGlobalTestEnvironment(new HeadlessScreen);

// A colour that differs in every channel from pixel to pixel, with alpha set
// (a capture must not carry it).
uint32_t painted(int x, int y) {
  return 0xFF000000u | (static_cast<uint32_t>(x * 7 + y) & 0xFFu) << 16 |
         (static_cast<uint32_t>(y * 5 + x / 3) & 0xFFu) << 8 | (static_cast<uint32_t>(x ^ y) & 0xFFu);
}

class ScreenCapture : public ::testing::Test {
 protected:
  void SetUp() override { paint([](int x, int y) { return painted(x, y); }); }
  void TearDown() override { paint([](int, int) { return 0u; }); }  // the screen is black for other tests

  template <class Colour>
  static void paint(Colour colour) {
    const platform_test::ScreenPixels screen = platform_test::headless_screen();
    for (int y = 0; y < screen.height; ++y) {
      for (int x = 0; x < screen.width; ++x) screen.pixels[y * screen.stride + x] = colour(x, y);
    }
  }
};

TEST_F(ScreenCapture, GetDcOfTheScreenIsSharedAndReleased) {
  const HDC screen = GetDC(nullptr), other = GetDC(nullptr);
  ASSERT_EQ(GetObjectType(screen), static_cast<DWORD>(OBJ_DC));
  gdi_test::TestDib src(3, 3), back(3, 3);
  src.fill(0xFF336699u);
  ASSERT_TRUE(BitBlt(screen, 100, 200, 3, 3, src.dc, 0, 0, SRCCOPY));
  ASSERT_TRUE(BitBlt(back.dc, 0, 0, 3, 3, other, 100, 200, SRCCOPY));
  for (uint32_t word : back.pixels()) EXPECT_EQ(word, 0x00336699u);  // a screen has no alpha
  const BITMAPINFO info = gdi_test::dib_info(2, 2, 32);
  void* bits = nullptr;
  const HBITMAP spare = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  EXPECT_EQ(SelectObject(screen, spare), nullptr);  // no bitmap goes into the screen DC
  EXPECT_TRUE(DeleteObject(spare));
  EXPECT_FALSE(DeleteDC(screen));  // released, not deleted
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
  EXPECT_EQ(ReleaseDC(nullptr, other), 1);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 0);
  EXPECT_EQ(ReleaseDC(nullptr, src.dc), 0);  // a memory DC is not released
  EXPECT_EQ(GetDC(reinterpret_cast<HWND>(0x1234)), nullptr);
}

// The device caps are every DC's (the memory DC test pins them).
TEST_F(ScreenCapture, TheDisplayDcShowsTheScreen) {
  const HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  ASSERT_EQ(GetObjectType(display), static_cast<DWORD>(OBJ_DC));
  gdi_test::TestDib pixel(1, 1);
  ASSERT_TRUE(BitBlt(pixel.dc, 0, 0, 1, 1, display, 10, 20, SRCCOPY));
  EXPECT_EQ(pixel.get(0, 0), painted(10, 20) & 0x00FFFFFFu);
  EXPECT_EQ(ReleaseDC(nullptr, display), 0) << "made by CreateDC: deleted, not released";
  EXPECT_TRUE(DeleteDC(display));
  EXPECT_FALSE(DeleteDC(display));

  const struct { const char *driver, *device; bool display; } names[] = {
      {"display", nullptr, true}, {nullptr, "\\\\.\\DISPLAY1", true}, {"WINSPOOL", "Printer", false},
      {nullptr, nullptr, false}, {"DISPLAYS", nullptr, false}};
  for (const auto& n : names) {
    const HDC other = CreateDCA(n.driver, n.device, nullptr, nullptr);
    EXPECT_EQ(other != nullptr, n.display) << (n.driver ? n.driver : n.device ? n.device : "null");
    if (other) DeleteDC(other);
  }
}

TEST_F(ScreenCapture, TheDefaultPaletteSelectsAndRealisesWithoutChange) {
  const HDC screen = GetDC(nullptr);
  const auto palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  ASSERT_EQ(GetObjectType(palette), static_cast<DWORD>(OBJ_PAL));
  EXPECT_EQ(SelectPalette(screen, palette, FALSE), palette);  // the stock one was selected
  EXPECT_EQ(RealizePalette(screen), 0u);
  EXPECT_EQ(SelectPalette(screen, reinterpret_cast<HPALETTE>(GetStockObject(BLACK_BRUSH)), FALSE), nullptr);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
  EXPECT_EQ(SelectPalette(screen, palette, TRUE), nullptr);
  EXPECT_EQ(RealizePalette(screen), GDI_ERROR);
}

// The whole screen, and an odd width whose 4098 bytes of pixels pad to 4100:
// blitted from the screen's origin into a 24-bit bottom-up DIB section and
// read back with GetDIBits, every pixel comes back, bottom row first.
TEST_F(ScreenCapture, EveryPixelComesBackBottomRowFirstInPaddedRows) {
  for (const auto& [width, height, row] : {std::tuple{1920, 1080, 5760u}, std::tuple{1366, 768, 4100u}}) {
    SCOPED_TRACE(width);
    const HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    BITMAPINFO info = gdi_test::dib_info(width, height, 24);
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    EXPECT_TRUE(BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY));
    SelectObject(memory, previous);
    EXPECT_TRUE(DeleteDC(memory));
    std::vector<uint8_t> rows(row * height, 0), expected(row * height, 0);  // zeroed, as a GHND block is
    ASSERT_EQ(GetDIBits(screen, bitmap, 0, UINT(height), rows.data(), &info, DIB_RGB_COLORS), height);
    EXPECT_EQ(info.bmiHeader.biSizeImage, row * height);
    EXPECT_EQ(std::memcmp(bits, rows.data(), rows.size()), 0) << "the section holds the same rows";
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
    EXPECT_TRUE(DeleteObject(bitmap));
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        for (int k = 0; k < 3; ++k) expected[row * (height - 1 - y) + 3 * x + k] = uint8_t(painted(x, y) >> (8 * k));
    EXPECT_TRUE(rows == expected);
  }
}

}  // namespace
