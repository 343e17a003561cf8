// frond.h before the X11 headers, and what it leaves out of the includer's
// namespace: the Windows constants and helper macros.
// Depends on: graphics/frond.h and X11 headers; a compile-time check.
#include <gtest/gtest.h>

#include <frond/frond.h>

#if defined(TRUE) || defined(FALSE) || defined(ERROR) || defined(RGB) || defined(OPAQUE) || \
    defined(TRANSPARENT) || defined(WINAPI) || defined(MAX_PATH) || defined(LOWORD)
#error "frond.h defines Windows constants or helper macros"
#endif

#include <X11/Xlib.h>
#include <X11/Xutil.h>

TEST(PublicHeader, CompilesBeforeXlib) {
  const Bool x_true = True;
  frond::IMAGE* image = frond::newimage(2, 2);
  frond::putpixel(1, 0, 0xFF123456, image);
  EXPECT_EQ(frond::getpixel(1, 0, image), 0xFF123456u);
  EXPECT_EQ(x_true, 1);
  frond::delimage(image);
}
