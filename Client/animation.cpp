// The start-up animation: two sentences in black fade in over white, the
// product word in white on black fades in, then a black veil closes the
// picture; 240 frames at 60 a second. It runs before the worker threads
// exist, so it draws without the client's lock.
// Depends on: Frond, the bitmap font and the client's state.

#include "Client/animation.h"

#include "Client/bitmap_font.h"
#include "Client/client_state.h"

namespace quillfern {
namespace {

frond::IMAGE* make_title_image() {
  frond::IMAGE* image = frond::newimage(640, 360);
  frond::setbkcolor(0xFF000000, image);
  draw_font_text(100, 255, 255, 255, 70, 60, "Quillfern", image);
  return image;
}

frond::IMAGE* make_sentence_image() {
  frond::IMAGE* image = frond::newimage(640, 360);
  frond::setbkcolor(0xFFFFFFFF, image);
  draw_font_text(35, 0, 0, 0, 17, 210, "Zeit und Raum trennen dich und mich.", image);
  draw_font_text(35, 0, 0, 0, 26, 250, "Informatik verbindet dich und mich.", image);
  return image;
}

void fill_target(frond::argb_color colour) {
  frond::setfillcolor(colour);
  frond::frond_fillrect(0, 0, 640, 360);
}

void blend_onto_target(frond::IMAGE* image, int alpha) {
  frond::putimage_alphablend(nullptr, image, 0, 0, uint8_t(alpha), 0);  // whole image, straight alpha
}

}  // namespace

void play_startup_animation() {
  frond::setcaption("Quillfern [Animating]");
  fill_target(0xFFFFFFFF);
  frond::delay_ms(0);
  frond::IMAGE* title = make_title_image();
  frond::IMAGE* sentences = make_sentence_image();
  for (int i = 0; i < 240 && frond::isrunning(); ++i) {
    if (i < 60) {
      blend_onto_target(sentences, (i + 21) / 10);
      if (i == 59) blend_onto_target(sentences, 255);
    } else if (i < 180) {
      blend_onto_target(title, (i - 19) / 12);
      if (i == 179) blend_onto_target(title, 255);
    } else {
      fill_target(0x0D000000);
      if (i == 239) {
        fill_target(0xFF000000);
        frond::delay_ms(0);
      }
    }
    frond::delay_fps(60);
  }
  frond::delimage(sentences);
  frond::delimage(title);
  frond::flushkey();
  while (frond::mousepending() > 0) frond::getmouse();
  frond::setcaption("Quillfern");
}

}  // namespace quillfern
