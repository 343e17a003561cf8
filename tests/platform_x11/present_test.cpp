// Presents and screen reads of the X11 backend, through MIT-SHM and through
// the plain image fallback (an Xvfb without the extension).
// Depends on: x11_fixture (an Xvfb per test).
#include "x11_fixture.h"

#include <cstdlib>

#include <X11/Xutil.h>

namespace x11_test {
namespace {

constexpr RECT kClient = {100, 50, 420, 230};  // 320x180

// Distinct colours everywhere, and alpha that the screen must not keep.
void paint_pattern(OwnedSurface* target, uint32_t seed) {
  for (int y = 0; y < target->surface.height; ++y) {
    for (int x = 0; x < target->surface.width; ++x) {
      target->at(x, y) = ((seed + static_cast<uint32_t>(x) * 0x10307u + static_cast<uint32_t>(y) * 0x3F0A1u) &
                          0x00FFFFFFu) | (static_cast<uint32_t>(x + y) << 24);
    }
  }
}

class X11PresentTest : public X11Test {
 protected:
  // What the screen shows at (x, y), width x height.
  OwnedSurface screen(int x, int y, int width, int height) {
    OwnedSurface shot(width, height);
    EXPECT_TRUE(backend_->read_screen(x, y, shot.surface));
    return shot;
  }

  // Presents `content` to a shown window at `client`; returns it for the test to keep.
  std::unique_ptr<platform::display::NativeWindow> shown_window(const OwnedSurface& content,
                                                                const RECT& client = kClient) {
    auto window = backend_->create_window(params(L"Present", client));
    window->set_visible(true);
    window->present(content.surface, RECT{0, 0, content.surface.width, content.surface.height});
    return window;
  }

  // Presents a pattern and reads it back; where the screen's pixels hold
  // fewer bits than ours, a channel may differ by `most`, and by `mean` on average.
  void check_present_reads_back(int most = 0, double mean = 0) {
    OwnedSurface content(320, 180);
    paint_pattern(&content, 0x123456u);
    auto window = shown_window(content);
    OwnedSurface shot = screen(100, 50, 320, 180);
    double total = 0;
    for (int y = 0; y < 180; ++y) {
      for (int x = 0; x < 320; ++x) {
        const uint32_t want = content.at(x, y) & 0x00FFFFFFu, got = shot.at(x, y);
        ASSERT_EQ(got >> 24, 0u);
        for (int shift : {0, 8, 16}) {
          const int error = std::abs(int(want >> shift & 255) - int(got >> shift & 255));
          ASSERT_LE(error, most) << std::hex << want << " shown as " << got << " at " << std::dec << x << "," << y;
          total += error;
        }
      }
    }
    EXPECT_LE(total / (320 * 180 * 3), mean);
  }
};

// Screens whose pixels are not our 32-bit words: presents and reads convert.
class X11Present16BitTest : public X11PresentTest {
 protected:
  std::string screen() const override { return "1280x720x16"; }
};

class X11Present8BitTest : public X11PresentTest {
 protected:
  std::string screen() const override { return "1280x720x8"; }
};

class X11PresentWithoutShmTest : public X11PresentTest {
 protected:
  std::vector<std::string> server_arguments() const override { return {"-extension", "MIT-SHM"}; }
};

TEST_F(X11PresentTest, ScreenSizeAndCursorPosition) {
  const SIZE size = backend_->screen_size();
  EXPECT_EQ(size.cx, 1280);
  EXPECT_EQ(size.cy, 720);
  XWarpPointer(probe_, None, DefaultRootWindow(probe_), 0, 0, 0, 0, 300, 200);
  XSync(probe_, False);
  const POINT at = backend_->cursor_position();
  EXPECT_EQ(at.x, 300);
  EXPECT_EQ(at.y, 200);
}

// (Through MIT-SHM, the partial present test reads every pixel back.)
TEST_F(X11PresentWithoutShmTest, PresentedPixelsReachTheScreenWithoutAlpha) { check_present_reads_back(); }

// 5 or 6 bits a channel: within one step of 8.
TEST_F(X11Present16BitTest, PresentedPixelsReachTheScreenInFewerBits) {
  EXPECT_EQ(backend_->bits_per_pixel(), 16);
  check_present_reads_back(8, 4);
}

// The nearest cell of the colormap, which holds what of a 6x6x6 cube (steps
// of 51) could be allocated.
TEST_F(X11Present8BitTest, PresentedPixelsReachTheScreenAsTheNearestColour) {
  EXPECT_EQ(backend_->bits_per_pixel(), 8);
  check_present_reads_back(64, 16);
}

// Each present has been read by the server when it returns, so that the next
// one may write its image: another client sees every frame at once. The
// whole-screen buffer (the screen DC's pixels) is read again on each call.
TEST_F(X11PresentTest, APresentIsOnTheScreenWhenItReturns) {
  OwnedSurface content(320, 180);
  auto window = shown_window(content);
  for (uint32_t frame = 1; frame <= 30; ++frame) {
    const uint32_t colour = frame * 0x050301u;
    for (uint32_t& pixel : content.pixels) pixel = colour;
    window->present(content.surface, RECT{0, 0, 320, 180});
    XImage* seen = XGetImage(probe_, DefaultRootWindow(probe_), 260, 140, 1, 1, AllPlanes, ZPixmap);
    ASSERT_NE(seen, nullptr);
    const unsigned long pixel = XGetPixel(seen, 0, 0);
    XDestroyImage(seen);
    ASSERT_EQ(pixel & 0xFFFFFF, colour) << "frame " << frame;
    const platform::display::Surface& whole = backend_->screen();
    ASSERT_EQ(whole.width, 1280);
    ASSERT_EQ(whole.row32(60)[110], colour) << "frame " << frame;
  }
}

TEST_F(X11PresentTest, PartialPresentChangesOnlyItsAreaAndPresentFollowsAResize) {
  OwnedSurface content(320, 180);
  paint_pattern(&content, 1u);
  auto window = shown_window(content);
  OwnedSurface changed(320, 180);
  paint_pattern(&changed, 0x777777u);
  // The area reaches past the client's edge: only its inside counts.
  window->present(changed.surface, RECT{300, 170, 400, 260});
  window->present(changed.surface, RECT{10, 20, 50, 30});
  OwnedSurface shot = screen(100, 50, 320, 180);
  for (int y = 0; y < 180; ++y) {
    for (int x = 0; x < 320; ++x) {
      const bool inside = (x >= 10 && x < 50 && y >= 20 && y < 30) || (x >= 300 && y >= 170);
      const uint32_t expected = (inside ? changed : content).at(x, y) & 0x00FFFFFFu;
      ASSERT_EQ(shot.at(x, y), expected) << "at " << x << "," << y;
    }
  }
  window->set_client_rect(RECT{200, 100, 840, 460});  // 640x360
  OwnedSurface large(640, 360);
  paint_pattern(&large, 9u);
  window->present(large.surface, RECT{0, 0, 640, 360});
  OwnedSurface resized = screen(200, 100, 640, 360);
  EXPECT_EQ(resized.at(639, 359), large.at(639, 359) & 0x00FFFFFFu);
  EXPECT_EQ(resized.at(320, 180), large.at(320, 180) & 0x00FFFFFFu);
}

TEST_F(X11PresentTest, ScreenReadsOffTheScreenAreBlackInEitherDepth) {
  OwnedSurface content(320, 180);
  for (uint32_t& pixel : content.pixels) pixel = 0xFF336699u;
  auto window = shown_window(content, RECT{1120, 600, 1440, 780});

  // 40x30 of the window's corner at the screen's bottom right, then nothing.
  OwnedSurface shot = screen(1240, 690, 80, 60);
  EXPECT_EQ(shot.at(39, 29), 0x00336699u);
  EXPECT_EQ(shot.at(40, 29), 0u);
  EXPECT_EQ(shot.at(39, 30), 0u);
  EXPECT_EQ(screen(-10, -5, 20, 10).at(9, 4), 0u);  // off the screen
  OwnedSurface away(16, 16);
  for (uint32_t& pixel : away.pixels) pixel = 0xFFFFFFFFu;
  EXPECT_TRUE(backend_->read_screen(5000, 5000, away.surface));
  EXPECT_EQ(away.at(15, 15), 0u);
  away.surface.bits_per_pixel = 16;  // screen reads need a 32-bit or 24-bit surface
  EXPECT_FALSE(backend_->read_screen(0, 0, away.surface));

  // Into 24-bit rows, bottom-up as a DIB lays them out, with padding.
  std::vector<uint8_t> rows(62 * 60, 0xEE);
  platform::display::Surface packed;
  packed.bits = rows.data() + 62 * 59;
  packed.width = 20;
  packed.height = 60;
  packed.stride = -62;
  packed.bits_per_pixel = 24;
  ASSERT_TRUE(backend_->read_screen(1260, 690, packed));
  EXPECT_EQ(rows[62 * 59 + 0], 0x99);  // top row, first pixel: blue, green, red
  EXPECT_EQ(rows[62 * 30 + 59], 0x33);  // the last row on the screen, pixel 19: red
  EXPECT_EQ(rows[62 * 29 + 57], 0x00);  // below the screen: black
  EXPECT_EQ(rows[62 * 59 + 60], 0xEE);  // padding untouched
}

TEST_F(X11PresentTest, WindowsOutliveTheBackendThatMadeThem) {
  OwnedSurface content(320, 180);
  paint_pattern(&content, 3u);
  auto window = shown_window(content);
  window->set_cursor_hidden(true);
  window->set_cursor_hidden(false);
  backend_.reset();
  window->present(content.surface, RECT{0, 0, 320, 180});
  window.reset();
}

}  // namespace
}  // namespace x11_test
