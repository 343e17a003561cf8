// The client framebuffers of top-level windows and what the GDI draws with:
// a window's surface starts at its client (0, 0) inside its top-level
// window's framebuffer, clipped to its own and its ancestors' client areas
// and, under WS_CLIPCHILDREN, kept off its visible children; releasing it
// presents the changed rectangle through the native window. Child windows'
// frames are drawn here too.
// Depends on: wm_state, the GDI's objects (surfaces), the native window's present.
#include "wm/window_surface.h"

#include <algorithm>

#include "gdi/objects.h"
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

namespace {

// The part of the top-level framebuffer under `area` (screen coordinates)
// as a surface starting at area's corner, and in `clip` the part of it
// within the ancestors' client areas, in the surface's coordinates.
bool locate(State& s, const Window* w, const RECT& area, gdi::Surface* out, RECT* clip) {
  const Window* top = top_level_of(s, w);
  if (w == nullptr || top == nullptr || !top->framebuffer || out == nullptr) return false;
  if (area.right <= area.left || area.bottom <= area.top) return false;
  RECT visible = area;
  for (const Window* a = w; a != nullptr && a != top; a = find_window(s, a->parent)) {
    visible = intersect(visible, screen_client(s, find_window(s, a->parent)));
  }
  const RECT top_client = screen_client(s, top);
  const std::shared_ptr<Framebuffer>& fb = top->framebuffer;
  const ptrdiff_t dx = area.left - top_client.left;
  const ptrdiff_t dy = area.top - top_client.top;
  const auto base = reinterpret_cast<uintptr_t>(fb->pixels.data());
  out->bits = reinterpret_cast<uint8_t*>(base + static_cast<uintptr_t>((dy * fb->width + dx) * 4));
  out->width = area.right - area.left;
  out->height = area.bottom - area.top;
  out->stride = static_cast<ptrdiff_t>(fb->width) * 4;
  out->bits_per_pixel = 32;
  *clip = RECT{visible.left - area.left, visible.top - area.top, visible.right - area.left, visible.bottom - area.top};
  if (clip->right < clip->left || clip->bottom < clip->top) *clip = RECT{0, 0, 0, 0};
  return true;
}

// Puts `area` of a top-level framebuffer on the screen.
void present_area(display::NativeWindow* native, const Framebuffer& fb, const RECT& area) {
  if (area.right <= area.left || area.bottom <= area.top) return;
  gdi::Surface surface;
  surface.bits = reinterpret_cast<uint8_t*>(const_cast<uint32_t*>(fb.pixels.data()));
  surface.width = fb.width;
  surface.height = fb.height;
  surface.stride = static_cast<ptrdiff_t>(fb.width) * 4;
  surface.bits_per_pixel = 32;
  native->present(surface, area);
}

}  // namespace

bool window_surface_acquire(HWND hwnd, display::Surface* out, RECT* clip, std::vector<RECT>* excluded) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  const Window* w = find_window(s, hwnd);
  RECT visible;
  if (w == nullptr || !locate(s, w, screen_client(s, w), out, &visible)) return false;
  if (clip != nullptr) *clip = visible;
  if (excluded != nullptr && (w->style & WS_CLIPCHILDREN)) {
    for (HWND child : w->children) {
      const Window* c = find_window(s, child);
      if (c != nullptr && (c->style & WS_VISIBLE)) excluded->push_back(c->window_rect);
    }
  }
  s.surface_holds[hwnd].push_back(top_level_of(s, w)->framebuffer);
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
  present_area(native.get(), *held, area);
}

namespace {

void fill(const gdi::Surface& surface, const RECT& clip, RECT r, DWORD colour) {
  r = intersect(r, clip);
  for (LONG y = r.top; y < r.bottom; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(surface.bits + y * surface.stride);
    for (LONG x = r.left; x < r.right; ++x) row[x] = colour;  // GDI writes alpha 0
  }
}

DWORD pixel_of(int system_colour) { return gdi::colorref_word(GetSysColor(system_colour)); }

// Light on the bottom and right, dark on the top and left: a sunken edge.
void sunken(const gdi::Surface& surface, const RECT& clip, const RECT& r, int dark, int light) {
  fill(surface, clip, RECT{r.left, r.top, r.right, r.top + 1}, pixel_of(dark));
  fill(surface, clip, RECT{r.left, r.top, r.left + 1, r.bottom}, pixel_of(dark));
  fill(surface, clip, RECT{r.left, r.bottom - 1, r.right, r.bottom}, pixel_of(light));
  fill(surface, clip, RECT{r.right - 1, r.top, r.right, r.bottom}, pixel_of(light));
}

}  // namespace

void paint_child_frame(HWND hwnd) {
  State& s = state();
  std::shared_ptr<display::NativeWindow> native;
  std::shared_ptr<Framebuffer> fb;
  RECT area = {};
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    const Window* w = find_window(s, hwnd);
    if (w == nullptr || !(w->style & WS_CHILD)) return;
    const RECT frame = frame_insets(w->style, w->ex_style);
    if (frame.left == 0 && frame.right == 0) return;
    const POINT origin = client_origin(s, find_window(s, w->parent));
    const RECT outer = {w->window_rect.left + origin.x, w->window_rect.top + origin.y,
                        w->window_rect.right + origin.x, w->window_rect.bottom + origin.y};
    gdi::Surface surface;
    RECT clip;
    if (!locate(s, w, outer, &surface, &clip)) return;
    RECT r = {0, 0, surface.width, surface.height};
    if (w->style & WS_BORDER) {
      sunken(surface, clip, r, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
      r = RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    if (w->ex_style & WS_EX_CLIENTEDGE) {
      sunken(surface, clip, r, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
      r = RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
      sunken(surface, clip, r, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
      r = RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    if (w->style & WS_VSCROLL) {
      // A bare scroll bar: its track between two button faces.
      const LONG left = r.right - GetSystemMetrics(SM_CXVSCROLL), side = r.right - left;
      fill(surface, clip, RECT{left, r.top, r.right, r.bottom}, pixel_of(COLOR_SCROLLBAR));
      fill(surface, clip, RECT{left, r.top, r.right, r.top + side}, pixel_of(COLOR_BTNFACE));
      fill(surface, clip, RECT{left, r.bottom - side, r.right, r.bottom}, pixel_of(COLOR_BTNFACE));
    }
    const Window* top = top_level_of(s, w);
    const RECT top_client = screen_client(s, top);
    area = intersect(RECT{outer.left - top_client.left, outer.top - top_client.top, outer.right - top_client.left,
                          outer.bottom - top_client.top},
                     RECT{0, 0, top->framebuffer->width, top->framebuffer->height});
    native = top->native;
    fb = top->framebuffer;
  }
  if (native) present_area(native.get(), *fb, area);
}

}  // namespace platform::wm
