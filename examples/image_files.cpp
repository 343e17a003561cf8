// Loading and saving images: draws a picture, saves it as PNG (with and
// without alpha) and BMP, loads each file back and checks the pixels survived,
// then scales the loaded copy onto a second image and saves that too. No
// window is needed.
// Depends on: Frond's public header only. Opens no window.
//
// Usage: image_files [folder]   (where the files go; default: the current one)

#include <cstdio>
#include <string>

#include <frond/frond.h>

using namespace frond;

namespace {

// Number of pixels that differ between two images of the same size.
int count_differences(IMAGE* a, IMAGE* b) {
  if (getwidth(a) != getwidth(b) || getheight(a) != getheight(b)) return -1;
  const argb_color* pa = getbuffer(a);
  const argb_color* pb = getbuffer(b);
  int differences = 0;
  for (int i = 0; i < getwidth(a) * getheight(a); ++i) differences += pa[i] != pb[i];
  return differences;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? std::string(argv[1]) + "/" : "";

  // A 200x120 picture: a gradient, with a half-transparent square in it.
  IMAGE* picture = newimage(200, 120);
  argb_color* pixels = getbuffer(picture);
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 200; ++x) pixels[y * 200 + x] = 0xFF000000u | (x * 255 / 199) << 16 | (y * 2) << 8 | 0x60;
  for (int y = 30; y < 90; ++y)
    for (int x = 70; x < 130; ++x) pixels[y * 200 + x] = 0x80FFFFFF;

  int failures = 0;
  const struct {
    const char* name;
    bool with_alpha;
  } files[] = {{"picture.png", false}, {"picture_alpha.png", true}, {"picture.bmp", false}};
  for (const auto& file : files) {
    const std::string path = folder + file.name;
    const int saved = saveimage(picture, path.c_str(), file.with_alpha);  // the suffix picks the format
    IMAGE* loaded = newimage();
    const int read = saved == 0 ? getimage(loaded, path.c_str()) : -1;
    // Without alpha the file is opaque, so compare with an opaque copy.
    IMAGE expected(*picture);
    if (!file.with_alpha)
      for (int i = 0; i < 200 * 120; ++i) getbuffer(&expected)[i] |= 0xFF000000u;
    const int differences = read == 0 ? count_differences(loaded, &expected) : -1;
    std::printf("%-18s save %d, load %d, %d pixels differ\n", file.name, saved, read, differences);
    failures += differences != 0;
    delimage(loaded);
  }

  // Stretch the picture to twice its size and save the result.
  IMAGE* large = newimage(400, 240);
  putimage(large, 0, 0, 400, 240, picture, 0, 0, 200, 120);
  const std::string large_path = folder + "picture_large.png";
  failures += savepng(large, large_path.c_str(), false) != 0;
  std::printf("%s %dx%d\n", large_path.c_str(), getwidth(large), getheight(large));

  delimage(large);
  delimage(picture);
  return failures == 0 ? 0 : 1;
}
