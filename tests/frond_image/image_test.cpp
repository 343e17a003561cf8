// The IMAGE object: construction, documented defaults, resizing, copies,
// GDI+ settings, deletion and the fatal magic check with the name of each
// operation that makes it (copies, blends, blur, turns, loads). Depends on:
// graphics/internal.h and the graphics fixture. Images made on many threads
// at once are the platform's (its GDI and GDI+ thread tests): Frond's own
// once-only set-up has run long before any test of a process could race it.

#include <functional>
#include <new>

#include "graphics/internal.h"
#include "support/graphics_fixture.h"

using namespace frond;
using namespace frond_test;

namespace {

class ImageTest : public GraphicsTest {};

TEST_F(ImageTest, NewImageDefaults) {
  // newimage: at least one pixel of opaque black; IMAGE(0, 0) and negative
  // sides: no pixels, the one DIB pixel left as it is.
  IMAGE* made = newimage(0, -5);
  EXPECT_EQ((std::vector<int>{getwidth(made), getheight(made), int(getbuffer(made)[0])}),
            (std::vector<int>{1, 1, int(0xFF000000u)}));
  delimage(made);
  delimage(nullptr);  // nothing happens
  IMAGE empty(0, 0), negative(-3, 4);
  EXPECT_EQ((std::vector<int>{empty.width, empty.height, int(empty.pixels[0]), negative.width, negative.height}),
            (std::vector<int>{0, 0, 0, 0, 4}));

  IMAGE image(7, 5);
  for (argb_color p : pixels_of(&image)) ASSERT_EQ(p, 0xFF000000u);
  // Line, text, fill and background colours; the same in the DC (COLORREF), with its opaque mode.
  EXPECT_EQ((std::vector<argb_color>{getcolor(&image), gettextcolor(&image), getfillcolor(&image), getbkcolor(&image)}),
            (std::vector<argb_color>{0xFFD3D3D3, 0xFFD3D3D3, 0, 0xFF000000}));
  EXPECT_EQ((std::vector<int>{GetBkMode(image.dc), int(GetBkColor(image.dc)), int(GetTextColor(image.dc))}),
            (std::vector<int>{OPAQUE, 0x000000, 0xD3D3D3}));
  EXPECT_FLOAT_EQ(image.line_width, 1.0f);
  EXPECT_EQ((std::vector<int>{image.antialias, image.line_style, image.line_thickness, image.text_halign,
                              image.text_valign, getx(&image), gety(&image)}),
            (std::vector<int>{false, 0, 1, 0, 0, 0, 0}));
  EXPECT_EQ(viewport_of(&image), (std::vector<int>{0, 0, 7, 5, 1}));  // the font: frond_text
}

TEST_F(ImageTest, ResizeKeepsOrDropsContent) {
  IMAGE image(4, 3);
  paint_coordinates(&image);
  const std::vector<argb_color> before = pixels_of(&image);

  EXPECT_EQ(image.resize_f(4, 3), 0);
  EXPECT_EQ(pixels_of(&image), before);

  EXPECT_EQ(image.resize_f(5, 3), 0);
  EXPECT_EQ(getwidth(&image), 5);
  for (argb_color p : pixels_of(&image)) ASSERT_EQ(p, 0x00000000u);

  setbkcolor_norepaint(0xFF102030, &image);
  EXPECT_EQ(resize(&image, 2, 9), 0);
  EXPECT_EQ(getheight(&image), 9);
  for (argb_color p : pixels_of(&image)) ASSERT_EQ(p, 0xFF102030u);

  EXPECT_EQ(resize_f(&image, -4, -4), 0);
  EXPECT_EQ(image.width, 0);
  EXPECT_EQ(image.height, 0);
}

// (Resizing resets the viewport: frond_antialias's fills and frond_transform.)
TEST_F(ImageTest, ResizeKeepsGraphicsSettings) {
  IMAGE image(10, 10);
  setantialias(true, &image);
  image.resize_f(20, 12);
  Gdiplus::SmoothingMode smoothing;
  Gdiplus::GdipGetSmoothingMode(image.graphics_holder.object, &smoothing);
  EXPECT_EQ(smoothing, Gdiplus::SmoothingModeAntiAlias);
  setantialias(false, &image);  // off: the system's text hint again
  Gdiplus::TextRenderingHint hint;
  Gdiplus::GdipGetTextRenderingHint(image.graphics_holder.object, &hint);
  EXPECT_EQ(hint, Gdiplus::TextRenderingHintSystemDefault);
}

TEST_F(ImageTest, CopiesTakeSizeAndPixelsAndKeepTargetAttributes) {
  IMAGE source(6, 4);
  paint_coordinates(&source);
  source.pixels[0] = 0x00ABCDEF;  // alpha 0 survives copies
  setviewport(2, 1, 6, 4, 1, &source);  // an origin must not shift whole copies

  IMAGE constructed(source);
  EXPECT_EQ(constructed.width, 6);
  EXPECT_EQ(pixels_of(&constructed), pixels_of(&source));

  IMAGE assigned(2, 2);
  setcolor(0xFF00FF00, &assigned);
  setlinestyle(2, 0, 3, &assigned);
  assigned = source;
  EXPECT_EQ(assigned.height, 4);
  EXPECT_EQ(pixels_of(&assigned), pixels_of(&source));
  EXPECT_EQ(getcolor(&assigned), 0xFF00FF00u);
  EXPECT_EQ(assigned.line_thickness, 3);

  IMAGE copied(1, 1);
  copied.copyimage(&source);
  EXPECT_EQ(pixels_of(&copied), pixels_of(&source));

  // Selectors: nothing from no drawing target or no such page; a page without counting a change.
  copied.copyimage(nullptr);
  copied.copyimage(reinterpret_cast<IMAGE*>(6));
  EXPECT_EQ(pixels_of(&copied), pixels_of(&source));
  IMAGE page(2, 5);
  state().pages[1] = &page;
  copied.copyimage(reinterpret_cast<IMAGE*>(1));
  EXPECT_EQ(copied.height, 5);
  EXPECT_EQ(counter(), 255);
}

// ---- fatal errors --------------------------------------------------------------------

using ImageDeathTest = ImageTest;

TEST_F(ImageDeathTest, DamagedMagicEndsTheProcessNamingTheOperation) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  IMAGE image(2, 2), other(1, 1);
  image.magic = 0x12345678;
  EXPECT_EXIT(image.resize_f(3, 3), ::testing::ExitedWithCode(245),
              "FROND ERROR message: Fatal error: read/write at 0x[0-9A-F]+\\. At function 'IMAGE::resize_f'");
  const struct {
    const char* operation;
    std::function<void()> use;
  } uses[] = {
      {"resize", [&] { image.resize(3, 3); }},
      {"putimage", [&] { putimage(0, 0, &image); }},
      {"operator=", [&] { image = other; }},
      {"putimage_transparent", [&] { image.putimage_transparent(&other, 0, 0, 0, 0, 0, 0, 0); }},
      {"putimage_alphafilter", [&] { putimage_alphafilter(&other, &image, 0, 0, &other, 0, 0, 0, 0); }},
      {"imagefilter_blurring_8", [&] { image.imagefilter_blurring_8(10, 256, 0, 0, 2, 2); }},
      {"putimage", [&] { putimage(&other, &image, 0, 0, 0, 0, 0, 0.0f, 1.0f); }},
      {"putimage_rotate", [&] { putimage_rotate(&other, &image, 0, 0, 0.0f, 0.0f, 0.0f, 0, -1, 0); }},
      {"getimage", [&] { image.getimage("x.png"); }},
      {"getimage", [&] { image.getimage(logo_data(), logo_size()); }},
  };
  for (const auto& u : uses)
    EXPECT_EXIT(u.use(), ::testing::ExitedWithCode(245), std::string("At function 'IMAGE::") + u.operation + "'");
  image.magic = IMAGE_MAGIC;
}

TEST_F(ImageDeathTest, DeletedImageIsDetected) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  alignas(IMAGE) unsigned char storage[sizeof(IMAGE)];
  IMAGE* image = new (storage) IMAGE(2, 2);
  image->~IMAGE();
  EXPECT_EXIT(image->resize_f(1, 1), ::testing::ExitedWithCode(245), "At function 'IMAGE::resize_f'");
}

TEST_F(ImageDeathTest, BitmapThatCannotBeMadeIsFatal) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(IMAGE(0x7FFFFFFF, 0x7FFFFFFF), ::testing::ExitedWithCode(245),
              "FROND INTERNAL ERROR: Fatal Error: Create Bitmap fail in 'IMAGE::initimage'");
  IMAGE image(2, 2);
  EXPECT_EXIT(image.resize_f(0x7FFFFFFF, 0x7FFFFFFF), ::testing::ExitedWithCode(245),
              "Create Bitmap fail in 'IMAGE::initimage'");
}

}  // namespace
