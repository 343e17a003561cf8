// The client framebuffers of top-level windows and what the GDI draws with:
// a window's surface starts at its client (0, 0) inside its top-level
// window's framebuffer, clipped to its own and its ancestors' client areas;
// releasing it presents the changed rectangle through the native window.
#include "wm/window_surface.h"

#include <algorithm>

#include "wm/wm_state.h"

namespace platform::wm {
namespace {

RECT intersect(const RECT& a, const RECT& b) {
  return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

RECT screen_client(State& s, const Window* w) {
  const POINT o = client_origin(s, w);
  return RECT{o.x, o.y, o.x + (w->client_rect.right - w->client_rect.left),
              o.y + (w->client_rect.bottom - w->client_rect.top)};
}

}  // namespace

void fit_framebuffer(Window* w) {
  if (w->parent != state().desktop) return;
  const int width = std::max<LONG>(w->client_rect.right - w->client_rect.left, 0);
  const int height = std::max<LONG>(w->client_rect.bottom - w->client_rect.top, 0);
  const std::shared_ptr<Framebuffer>& old = w->framebuffer;
  if (old && old->width == width && old->height == height) return;
  auto fb = std::make_shared<Framebuffer>();
  fb->width = width;
  fb->height = height;
  fb->pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0u);
  if (old) {
    const int w_copy = std::min(width, old->width);
    for (int y = 0; y < std::min(height, old->height); ++y) {
      std::copy_n(old->pixels.begin() + static_cast<ptrdiff_t>(y) * old->width, w_copy,
                  fb->pixels.begin() + static_cast<ptrdiff_t>(y) * width);
    }
  }
  w->framebuffer = std::move(fb);
}

bool window_surface_acquire(HWND hwnd, gdi::Surface* out, RECT* clip) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  const Window* w = find_window(s, hwnd);
  const Window* top = top_level_of(s, w);
  if (w == nullptr || top == nullptr || !top->framebuffer || out == nullptr) return false;
  const RECT own = screen_client(s, w);
  if (own.right <= own.left || own.bottom <= own.top) return false;
  RECT visible = own;
  for (const Window* a = w; a != nullptr && a != top; a = find_window(s, a->parent)) {
    visible = intersect(visible, screen_client(s, find_window(s, a->parent)));
  }
  const RECT top_client = screen_client(s, top);
  const std::shared_ptr<Framebuffer>& fb = top->framebuffer;
  const ptrdiff_t dx = own.left - top_client.left;
  const ptrdiff_t dy = own.top - top_client.top;
  const auto base = reinterpret_cast<uintptr_t>(fb->pixels.data());
  out->bits = reinterpret_cast<uint8_t*>(base + static_cast<uintptr_t>((dy * fb->width + dx) * 4));
  out->width = own.right - own.left;
  out->height = own.bottom - own.top;
  out->stride = static_cast<ptrdiff_t>(fb->width) * 4;
  out->bits_per_pixel = 32;
  if (clip != nullptr) {
    *clip = RECT{visible.left - own.left, visible.top - own.top, visible.right - own.left, visible.bottom - own.top};
    if (clip->right < clip->left || clip->bottom < clip->top) *clip = RECT{0, 0, 0, 0};
  }
  s.surface_holds[hwnd].push_back(fb);
  return true;
}

void window_surface_release(HWND hwnd, const RECT& changed) {
  State& s = state();
  std::shared_ptr<Framebuffer> held;
  std::shared_ptr<display::NativeWindow> native;
  RECT area = {};
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    const auto holds = s.surface_holds.find(hwnd);
    if (holds == s.surface_holds.end()) return;
    held = std::move(holds->second.back());
    holds->second.pop_back();
    if (holds->second.empty()) s.surface_holds.erase(holds);
    const Window* w = find_window(s, hwnd);
    const Window* top = top_level_of(s, w);
    if (w == nullptr || top == nullptr || top->framebuffer != held || !top->native) return;
    const RECT top_client = screen_client(s, top);
    const RECT own = screen_client(s, w);
    const LONG dx = own.left - top_client.left;
    const LONG dy = own.top - top_client.top;
    area = intersect(RECT{changed.left + dx, changed.top + dy, changed.right + dx, changed.bottom + dy},
                     RECT{0, 0, held->width, held->height});
    native = top->native;
  }
  if (area.right <= area.left || area.bottom <= area.top) return;
  gdi::Surface surface;
  surface.bits = reinterpret_cast<uint8_t*>(held->pixels.data());
  surface.width = held->width;
  surface.height = held->height;
  surface.stride = static_cast<ptrdiff_t>(held->width) * 4;
  surface.bits_per_pixel = 32;
  native->present(surface, area);
}

}  // namespace platform::wm
