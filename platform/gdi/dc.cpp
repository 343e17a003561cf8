// Device contexts: creation and deletion, the device description (surface,
// size, clip rectangles) that every drawing call starts from, and the device
// capabilities. Memory DCs and the screen DC describe the same 32-bit device.
// Depends on: the display backend (screen surface and size), region, handles. Draws nothing.
#include "gdi/dc.h"

#include <algorithm>

#include "display/display.h"
#include "gdiplus/dc_pixels.h"

namespace platform::gdi {
namespace {

HDC add_dc(bool screen) {
  try {
    return static_cast<HDC>(register_object(new_dc_record(screen)));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

// Called with the registry locked: the DC no longer holds its objects.
void drop_selections(const DeviceContext& dc) {
  for (GdiObject* o : {static_cast<GdiObject*>(dc.bitmap.get()), static_cast<GdiObject*>(dc.pen.get()),
                       static_cast<GdiObject*>(dc.brush.get()), static_cast<GdiObject*>(dc.font.get())}) {
    if (o && !o->stock) --o->selections;
  }
}

bool is_deletable_dc(const DeviceContext& dc) { return dc.type == OBJ_MEMDC || dc.display_dc; }
bool is_screen_dc(const DeviceContext& dc) { return dc.is_screen() && !dc.display_dc; }

}  // namespace

std::shared_ptr<DeviceContext> new_dc_record(bool screen) {
  auto dc = std::make_shared<DeviceContext>(screen);
  if (!screen) dc->bitmap = find_as<Bitmap>(stock_bitmap());
  dc->pen = find_as<Pen>(stock_object(BLACK_PEN));
  dc->brush = find_as<Brush>(stock_object(WHITE_BRUSH));
  dc->font = find_as<Font>(stock_object(SYSTEM_FONT));
  return dc;
}

bool delete_dc_if(HDC handle, bool (*accept)(const DeviceContext&)) {
  std::shared_ptr<GdiObject> doomed;  // declared first: freed after the lock is released
  auto lock = lock_registry();
  const auto dc = object_as<DeviceContext>(find_object_locked(handle));
  if (!dc || !accept(*dc)) return false;
  drop_selections(*dc);
  doomed = unregister_locked(handle);
  return true;
}

bool surface_of(const DeviceContext& dc, Surface* out) {
  if (dc.window != nullptr) {
    *out = dc.window_surface;
    return true;
  }
  if (dc.is_screen()) {
    *out = display::backend().screen();
    return true;
  }
  return dc.bitmap && dc.bitmap->surface(out);
}

std::vector<RECT> clip_rects(const DeviceContext& dc, int width, int height) {
  std::vector<RECT> out;
  if (width <= 0 || height <= 0) return out;
  RECT bounds{0, 0, width, height};
  if (dc.window != nullptr) {
    bounds = {std::max(bounds.left, dc.window_area.left), std::max(bounds.top, dc.window_area.top),
              std::min(bounds.right, dc.window_area.right), std::min(bounds.bottom, dc.window_area.bottom)};
    if (bounds.left >= bounds.right || bounds.top >= bounds.bottom) return out;
  }
  if (!dc.has_clip && dc.window_excluded.empty()) {
    out.push_back(bounds);
    return out;
  }
  // Children a WS_CLIPCHILDREN window must leave alone cut the clip region
  // (window DCs only: memory DCs keep the allocation-free path).
  Region cut;
  if (!dc.window_excluded.empty()) {
    cut = dc.has_clip ? Region::combine(dc.clip, Region(bounds), RGN_AND) : Region(bounds);
    for (const RECT& child : dc.window_excluded) cut = Region::combine(cut, Region(child), RGN_DIFF);
  }
  const Region& region = dc.window_excluded.empty() ? dc.clip : cut;
  for (const RECT& r : region.rects()) {
    const RECT c{std::max(r.left, bounds.left), std::max(r.top, bounds.top), std::min(r.right, bounds.right),
                 std::min(r.bottom, bounds.bottom)};
    if (c.left < c.right && c.top < c.bottom) out.push_back(c);
  }
  return out;
}

RECT bounding_box(const std::vector<RECT>& rects) {
  RECT b = rects.front();
  for (const RECT& r : rects) {
    b.left = std::min(b.left, r.left);
    b.top = std::min(b.top, r.top);
    b.right = std::max(b.right, r.right);
    b.bottom = std::max(b.bottom, r.bottom);
  }
  return b;
}

HDC create_screen_dc() { return add_dc(true); }

bool release_screen_dc(HDC dc) { return delete_dc_if(dc, is_screen_dc); }

// ---- what GDI+ and msimg32 see of a DC ----------------------------------------------

bool dc_surface(HDC dc, Surface* out) {
  const auto d = find_dc(dc);
  return d && out && surface_of(*d, out);
}

POINT dc_viewport_origin(HDC dc) {
  const auto d = find_dc(dc);
  return d ? d->viewport : POINT{0, 0};
}

std::vector<RECT> dc_clip_rects(HDC dc) {
  const auto d = find_dc(dc);
  Surface s;
  if (!d || !surface_of(*d, &s)) return {};
  return clip_rects(*d, s.width, s.height);
}

}  // namespace platform::gdi

// What GDI+ draws into (declared by GDI+, which does not include the GDI's headers).
bool Gdiplus::render::dc_pixels(HDC dc, platform::display::Surface* out) { return platform::gdi::dc_surface(dc, out); }

using platform::gdi::find_dc;

HDC CreateCompatibleDC(HDC reference) {
  if (reference && !find_dc(reference)) return nullptr;
  return platform::gdi::add_dc(false);
}

BOOL DeleteDC(HDC dc) { return platform::gdi::delete_dc_if(dc, platform::gdi::is_deletable_dc); }

int GetDeviceCaps(HDC dc, int index) {
  if (!find_dc(dc)) return 0;
  switch (index) {
    case HORZRES: return platform::display::backend().screen_size().cx;
    case VERTRES: return platform::display::backend().screen_size().cy;
    case BITSPIXEL: return platform::display::backend().bits_per_pixel();
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case RASTERCAPS:
      return RC_BITBLT | RC_BITMAP64 | RC_GDI20_OUTPUT | RC_DI_BITMAP | RC_DIBTODEV | RC_BIGFONT | RC_STRETCHBLT |
             RC_FLOODFILL | RC_STRETCHDIB;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    default: return 0;  // SIZEPALETTE among others: no palette
  }
}
