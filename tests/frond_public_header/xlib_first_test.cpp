// frond.h after the X11 headers: Xlib's Status macro gives way to a typedef
// with the same meaning, so both interfaces stay usable in one file.
// (GoogleTest first: X11's None macro would break its headers.)
// Depends on: graphics/frond.h and X11 headers; a compile-time check.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <frond/frond.h>

TEST(PublicHeader, CompilesAfterXlib) {
  const Status x_status = 0;  // Xlib's own use of the name
  XRectangle rectangle = {0, 0, 4, 3};
  frond::IMAGE* image = frond::newimage(rectangle.width, rectangle.height);
  frond::IMAGE* copy = frond::newimage(4, 3);
  frond::putimage(copy, 0, 0, image, SRCINVERT);  // raster codes stay available
  EXPECT_EQ(x_status, 0);
  EXPECT_EQ(frond::getwidth(copy), 4);
  EXPECT_EQ(frond::getpixel(1, 1, copy), 0xFF000000u ^ 0xFF000000u);
  frond::delimage(copy);
  frond::delimage(image);
}
