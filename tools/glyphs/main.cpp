// quillfern-glyphs <folder> [font file]: writes <folder>/<code>.png for the
// codes 0..127, each 50x100 8-bit RGB with a light glyph on black, drawn
// from DejaVu Sans Mono (found with fontconfig) unless a font file is given.
// Control codes (0..31, 127) and the blank are all black. Run at build time.
// Depends on: glyph_renderer (FreeType, fontconfig), common/png_encode and common/atomic_output. Draws no
// glyph itself.
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <string>

#include "common/atomic_output.h"
#include "common/png_encode.h"
#include "glyph_renderer.h"

namespace {

constexpr int kCellWidth = 50;
constexpr int kCellHeight = 100;
constexpr unsigned kCodes = 128;

std::string installed_font() {
  std::string file = find_font_file("DejaVu Sans Mono");
  FcFini();
  return file;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: quillfern-glyphs <folder> [font file]\n");
    return 2;
  }
  const std::string folder = argv[1];
  const std::string font = argc == 3 ? argv[2] : installed_font();
  GlyphRenderer renderer(font, kCellWidth, kCellHeight);
  if (!renderer.ok()) {
    std::fprintf(stderr, "quillfern-glyphs: cannot use the font '%s'\n", font.c_str());
    return 1;
  }
  for (unsigned code = 0; code < kCodes; ++code) {
    const std::string path = folder + "/" + std::to_string(code) + ".png";
    const std::vector<std::uint8_t> cell = renderer.render(code);
    AtomicOutput out(path);
    if (!out.stream() || !encode_png(out.stream(), cell.data(), kCellWidth, kCellHeight, 3) || !out.commit()) {
      std::fprintf(stderr, "quillfern-glyphs: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
