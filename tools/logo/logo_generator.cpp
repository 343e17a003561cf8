// Draws the Frond library's start-up logo -- a leaf and the word "Frond" on
// a soft gradient -- encodes it as a JPEG with libjpeg, and writes it both as
// a .jpg file and as a C++ source that the library links in.
// Depends on: libjpeg only; draws with its own code, nothing of Frond or the platform. Run at build time.
//
// Usage: frond_logo_generator out.jpg out.cpp
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

// After <cstdio>: jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace {

constexpr int width = 400;
constexpr int height = 200;
constexpr int samples = 4;  // per pixel side, for smooth edges
constexpr int quality = 95;

struct rgb {
  double r, g, b;
};

rgb mix(rgb a, rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

// 5x7 letters of the word, '#' for ink.
const char* const letters[5][7] = {
    {"#####", "#....", "#....", "####.", "#....", "#....", "#...."},  // F
    {".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."},  // r
    {".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."},  // o
    {".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"},  // n
    {"....#", "....#", ".##.#", "#..##", "#...#", "#..##", ".##.#"},  // d
};

bool in_word(double x, double y) {
  constexpr double left = 152, top = 72, cell = 8, advance = 6 * cell;
  if (y < top || y >= top + 7 * cell || x < left) return false;
  const int letter = int((x - left) / advance);
  if (letter >= 5) return false;
  const int column = int((x - left - letter * advance) / cell);
  const int row = int((y - top) / cell);
  return column < 5 && letters[letter][row][column] == '#';
}

// The leaf: the overlap of two discs (a pointed oval), tilted, with a stem.
// 0 outside, 1 on the blade, 2 on the vein or stem.
int leaf_part(double x, double y) {
  const double angle = -0.6, cx = 88, cy = 100;
  const double u = (x - cx) * std::cos(angle) + (y - cy) * std::sin(angle);
  const double v = -(x - cx) * std::sin(angle) + (y - cy) * std::cos(angle);
  const double radius = 70, offset = 48;
  const bool blade = std::hypot(u, v - offset) < radius && std::hypot(u, v + offset) < radius;
  const double half_length = std::sqrt(radius * radius - offset * offset);
  if (std::fabs(v) < 1.6 && u > -half_length - 22 && u < half_length - 6) return 2;
  if (blade) {
    // Side veins leaving the middle at an angle.
    const double along = u + std::fabs(v) * 0.9;
    if (std::fmod(along + 400, 20) < 1.6 && std::fabs(v) < 30) return 2;
    return 1;
  }
  return 0;
}

rgb shade(double x, double y) {
  const rgb top = {244, 241, 225}, bottom = {214, 232, 196};
  rgb colour = mix(top, bottom, y / height);
  switch (leaf_part(x, y)) {
    case 1:
      colour = mix(rgb{70, 140, 60}, rgb{40, 100, 45}, (x + y) / (width + height));
      break;
    case 2:
      colour = {150, 200, 120};
      break;
    default:
      break;
  }
  if (in_word(x, y)) colour = {47, 79, 47};
  return colour;
}

std::vector<unsigned char> draw() {
  std::vector<unsigned char> pixels(size_t(width) * height * 3);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      rgb sum = {0, 0, 0};
      for (int sy = 0; sy < samples; ++sy)
        for (int sx = 0; sx < samples; ++sx) {
          const rgb c = shade(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples);
          sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
        }
      unsigned char* p = &pixels[(size_t(y) * width + x) * 3];
      const double n = samples * samples;
      p[0] = static_cast<unsigned char>(std::lround(sum.r / n));
      p[1] = static_cast<unsigned char>(std::lround(sum.g / n));
      p[2] = static_cast<unsigned char>(std::lround(sum.b / n));
    }
  return pixels;
}

std::vector<unsigned char> encode(std::vector<unsigned char>& pixels) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);  // errors end the program, which is right for a build tool
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = width;
  info.image_height = height;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = &pixels[size_t(info.next_scanline) * width * 3];
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<unsigned char> jpeg(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return jpeg;
}

bool write_jpeg(const char* path, const std::vector<unsigned char>& jpeg) {
  FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(jpeg.data(), 1, jpeg.size(), file) == jpeg.size();
  return std::fclose(file) == 0 && written;
}

bool write_source(const char* path, const std::vector<unsigned char>& jpeg) {
  FILE* file = std::fopen(path, "w");
  if (file == nullptr) return false;
  std::fprintf(file,
               "// Generated at build time by frond_logo_generator: the library's start-up logo (JPEG).\n"
               "namespace frond {\n"
               "extern const unsigned char logo_jpeg[];\n"
               "extern const unsigned int logo_jpeg_size;\n"
               "const unsigned char logo_jpeg[] = {");
  for (size_t i = 0; i < jpeg.size(); ++i) std::fprintf(file, "%s%u,", i % 20 == 0 ? "\n  " : "", jpeg[i]);
  std::fprintf(file, "\n};\nconst unsigned int logo_jpeg_size = %zu;\n}  // namespace frond\n", jpeg.size());
  return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s out.jpg out.cpp\n", argv[0]);
    return 2;
  }
  std::vector<unsigned char> pixels = draw();
  const std::vector<unsigned char> jpeg = encode(pixels);
  if (!write_jpeg(argv[1], jpeg) || !write_source(argv[2], jpeg)) {
    std::fprintf(stderr, "%s: cannot write the logo\n", argv[0]);
    return 1;
  }
  return 0;
}
