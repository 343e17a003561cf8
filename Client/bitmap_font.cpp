// Bitmap font text: each byte is a cell; glyphs of codes 0..127 are loaded,
// stretched onto a cell (MERGECOPY with the tint brush, or NOTSRCCOPY for
// black text) and copied with a colour key; other bytes leave a blank cell.
// Depends on: Frond (images, PNG loading, putimage), client_state (the chat colour) and run_log
// (int_to_string). Uses no font engine: the glyphs are the PNG files of font/.

#include "Client/bitmap_font.h"

#include "Client/client_state.h"
#include "Client/run_log.h"

namespace quillfern {

std::string glyph_path(int code) { return "font//" + int_to_string(code) + ".png"; }

void draw_font_text(int h, int r, int g, int b, int x, int y, const std::string& text, frond::IMAGE* dest) {
  if (text.empty()) return;
  const int cw = h / 2;
  const frond::argb_color tint = 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
  const bool tinted = r != 0 || g != 0 || b != 0;
  const frond::argb_color key = tinted ? 0xFF000000u : 0xFFFFFFFFu;
  int pen = x;
  for (unsigned char c : text) {
    if (c < 128) {
      frond::IMAGE* glyph = frond::newimage();
      if (frond::getimage_pngfile(glyph, glyph_path(c).c_str()) == 0) {
        frond::IMAGE* cell = frond::newimage(cw, h);
        if (tinted) {
          frond::setfillcolor(tint, cell);
          frond::putimage(cell, 0, 0, cw, h, glyph, 0, 0, 50, 100, MERGECOPY);
        } else {
          frond::putimage(cell, 0, 0, cw, h, glyph, 0, 0, 50, 100, NOTSRCCOPY);
        }
        frond::putimage_transparent(dest, cell, pen, y, key, 0, 0, 0, 0);
        frond::delimage(cell);
      }
      frond::delimage(glyph);
    }
    pen += cw;
  }
}

void draw_chat_line(frond::IMAGE* dest, int H, const std::string& text, bool top) {
  const int gh = H / 9;
  const frond::argb_color colour = settings.chat_color;
  draw_font_text(gh, (colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF, 0, top ? 0 : H - gh, text, dest);
}

}  // namespace quillfern
