// The swap cycle of the main thread, timing each of its steps. The cycle's
// images are drawn outside the lock; only the token and the chat-text copy
// are taken under it.
// Depends on: capture, tools, token, exchange, display and the bitmap font.

#include "Client/cycle.h"

#include <chrono>

#include "Client/bitmap_font.h"
#include "Client/capture.h"
#include "Client/client_state.h"
#include "Client/display.h"
#include "Client/exchange.h"
#include "Client/quillfern_client.h"
#include "Client/token.h"
#include "Client/tools.h"

namespace quillfern {
namespace {

cycle_step_seconds step_seconds{};

// True when some pixel has a colour other than black (alpha not counted).
bool has_non_black_pixel(frond::IMAGE* picture, int width, int height) {
  const frond::argb_color* pixels = frond::getbuffer(picture);
  const size_t count = size_t(width) * size_t(height);
  for (size_t i = 0; i < count; ++i)
    if (pixels[i] & 0x00FFFFFF) return true;
  return false;
}

void fill(frond::IMAGE* picture, frond::argb_color colour, int width, int height) {
  frond::setfillcolor(colour, picture);
  frond::frond_fillrect(0, 0, float(width), float(height), picture);
}

}  // namespace

picture_size outgoing_size(int resolution) {
  switch (resolution) {
    case 2: return {1280, 720};
    case 3: return {960, 540};
    default: return {1600, 900};
  }
}

cycle_step_seconds last_cycle_steps() { return step_seconds; }

bool swap_cycle(exchange_client& client) {
  const double t0 = frond::elapsedseconds();
  auto mark = std::chrono::steady_clock::now();
  const auto lap = [&mark](double& seconds) {
    const auto now = std::chrono::steady_clock::now();
    seconds = std::chrono::duration<double>(now - mark).count();
    mark = now;
  };
  capture_screen();
  save_capture_bmp();
  lap(step_seconds.capture);
  const picture_size size = outgoing_size(settings.resolution);
  const int W = size.width, H = size.height;

  frond::IMAGE* capture = frond::newimage();
  frond::getimage(capture, "temp\\image1.bmp", 0, 0);
  frond::IMAGE* outgoing = frond::newimage(W, H);
  frond::putimage(outgoing, 0, 0, W, H, capture, 0, 0, frond::getwidth(capture), frond::getheight(capture),
                  SRCCOPY);
  frond::delimage(capture);

  if (hold_mode)
    fill(outgoing, 0xFFFFFFFF, W, H);
  else if (!has_non_black_pixel(outgoing, W, H))
    fill(outgoing, 0xFF00FF00, W, H);

  lock_state();
  const bool chatting = chat_mode != 0;
  const std::string token = make_token(token_engine, chatting);
  const std::string line = chatting ? chat_text : std::string();
  unlock_state();
  if (chatting) draw_chat_line(outgoing, H, line, false);
  lap(step_seconds.scale);

  frond::savepng(outgoing, "temp\\image2.png", false);
  frond::delimage(outgoing);
  lap(step_seconds.save);
  run_pngslim();
  lap(step_seconds.pngslim);
  encrypt_capture(settings.key + token);
  lap(step_seconds.encfile);
  step_seconds.decode = exchange(client, token);
  lap(step_seconds.exchange);
  step_seconds.exchange -= step_seconds.decode;
  update_caption();
  redraw_window();
  lap(step_seconds.display);

  const double period = settings.interval * 5.0;
  while (period > frond::elapsedseconds() - t0) {
    if (!frond::isrunning()) return false;
    frond::sleep_ms(25);
  }
  return frond::isrunning();
}

}  // namespace quillfern
