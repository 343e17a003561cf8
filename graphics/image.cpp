// Images: the IMAGE record over a GDI memory DC and a 32-bit top-down DIB
// section, its construction and defaults, resizing, copying and deletion, the
// GDI+ objects made on first use, and the magic check of every operation.
// Depends on: state (selectors), attributes and text (the defaults), viewports
// (construction resets the viewport), system libraries (loaded per image).

#include <mutex>

#include "graphics/internal.h"
#include "graphics/state.h"

using namespace Gdiplus;

namespace frond {
namespace {

// A 32-bit top-down DIB section of max(w, 1) x max(h, 1) pixels.
HBITMAP create_dib(int width, int height, argb_color** pixels) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width > 0 ? width : 1;
  info.bmiHeader.biHeight = -(height > 0 ? height : 1);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const uint64_t bytes = uint64_t(uint32_t(info.bmiHeader.biWidth)) * uint64_t(uint32_t(-info.bmiHeader.biHeight)) * 4;
  info.bmiHeader.biSizeImage = bytes > 0xFFFFFFFFu ? 0 : DWORD(bytes);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  *pixels = static_cast<argb_color*>(bits);
  return bitmap;
}

[[noreturn]] void bitmap_failure() { internal_error_box(L"Fatal Error: Create Bitmap fail in 'IMAGE::initimage'"); }

}  // namespace

// ---- process-wide helpers ---------------------------------------------------

void gdiplus_start() {
  static std::once_flag started;
  std::call_once(started, [] {
    GdiplusStartupInput input = {1, nullptr, FALSE, FALSE};
    ULONG_PTR token = 0;
    if (GdiplusStartup(&token, &input, nullptr) == Ok) state().gdiplus_token = token;
  });
}

void fatal_image_error(const void* image, const wchar_t* operation) {
  wchar_t text[1024];
  wsprintfW(text, L"Fatal error: read/write at 0x%p. At function '%s'", image, operation);
  MessageBoxW(state().window.load(), text, L"FROND ERROR message", MB_ICONERROR);
  ExitProcess(UINT(-11));
}

GpGraphics* clone_gdip_graphics(HDC dc, gdip_holder<GpGraphics>& old) {
  GpGraphics* graphics = nullptr;
  old.record(GdipCreateFromHDC(dc, &graphics));
  if (graphics == nullptr || old.object == nullptr) return graphics;
  GpGraphics* from = old.object;

  GpMatrix* matrix = nullptr;
  old.record(GdipCreateMatrix(&matrix));
  if (matrix != nullptr) {
    old.record(GdipGetWorldTransform(from, matrix));
    old.record(GdipSetWorldTransform(graphics, matrix));
    GdipDeleteMatrix(matrix);
  }
  SmoothingMode smoothing;
  if (old.record(GdipGetSmoothingMode(from, &smoothing)) == Ok) old.record(GdipSetSmoothingMode(graphics, smoothing));
  InterpolationMode interpolation;
  if (old.record(GdipGetInterpolationMode(from, &interpolation)) == Ok)
    old.record(GdipSetInterpolationMode(graphics, interpolation));
  PixelOffsetMode offset;
  if (old.record(GdipGetPixelOffsetMode(from, &offset)) == Ok) old.record(GdipSetPixelOffsetMode(graphics, offset));
  TextRenderingHint hint;
  if (old.record(GdipGetTextRenderingHint(from, &hint)) == Ok) old.record(GdipSetTextRenderingHint(graphics, hint));
  CompositingQuality quality;
  if (old.record(GdipGetCompositingQuality(from, &quality)) == Ok)
    old.record(GdipSetCompositingQuality(graphics, quality));
  UINT contrast;
  if (old.record(GdipGetTextContrast(from, &contrast)) == Ok) old.record(GdipSetTextContrast(graphics, contrast));
  CompositingMode compositing;
  if (old.record(GdipGetCompositingMode(from, &compositing)) == Ok)
    old.record(GdipSetCompositingMode(graphics, compositing));
  GpRegion* clip = nullptr;
  old.record(GdipCreateRegion(&clip));
  if (clip != nullptr) {
    old.record(GdipGetClip(from, clip));
    old.record(GdipSetClipRegion(graphics, clip, CombineModeReplace));
    GdipDeleteRegion(clip);
  }
  Unit unit;
  if (old.record(GdipGetPageUnit(from, &unit)) == Ok) old.record(GdipSetPageUnit(graphics, unit));
  REAL scale;
  if (old.record(GdipGetPageScale(from, &scale)) == Ok) old.record(GdipSetPageScale(graphics, scale));
  INT origin_x, origin_y;
  if (old.record(GdipGetRenderingOrigin(from, &origin_x, &origin_y)) == Ok)
    old.record(GdipSetRenderingOrigin(graphics, origin_x, origin_y));
  return graphics;
}

void copy_whole_image(IMAGE* dst, const IMAGE* src) {
  POINT dst_origin = {}, src_origin = {};
  GetViewportOrgEx(dst->dc, &dst_origin);
  GetViewportOrgEx(src->dc, &src_origin);
  BitBlt(dst->dc, -dst_origin.x, -dst_origin.y, src->width, src->height, src->dc, -src_origin.x, -src_origin.y,
         SRCCOPY);
}

// ---- construction -------------------------------------------------------------

IMAGE::IMAGE() { construct(1, 1); }

IMAGE::IMAGE(int width, int height) { construct(width < 0 ? 0 : width, height < 0 ? 0 : height); }

IMAGE::IMAGE(const IMAGE& other) {
  clear_fields();
  initimage(other.dc, other.width, other.height);
  set_defaults();
  copy_whole_image(this, &other);
}

void IMAGE::construct(int width, int height) {
  HWND window = state().window.load();
  HDC window_dc = window ? GetDC(window) : nullptr;
  load_system_libraries();
  gdiplus_start();
  clear_fields();
  initimage(window_dc, width, height);
  set_defaults();
  if (window_dc != nullptr) ReleaseDC(window, window_dc);
}

void IMAGE::clear_fields() {
  magic = IMAGE_MAGIC;
  dc = nullptr;
  bitmap = nullptr;
  width = height = 0;
  pixels = nullptr;
  line_color = fill_color = text_color = bk_color = 0;
  graphics_holder = {};
  pen_holder = {};
  brush_holder = {};
  antialias = false;
  viewport = {};
  text_halign = text_valign = 0;
  line_style = 0;
  line_pattern = 0;
  line_thickness = 0;
  line_width = 0;
  start_cap = end_cap = line_join = 0;
  miter_limit = 10.0f;
  bitmap_holder = {};
}

void IMAGE::initimage(HDC reference, int w, int h) {
  dc = CreateCompatibleDC(reference);
  if (dc == nullptr) bitmap_failure();
  argb_color* bits = nullptr;
  bitmap = create_dib(w, h, &bits);
  if (bitmap == nullptr) bitmap_failure();
  SelectObject(dc, bitmap);
  width = w;
  height = h;
  pixels = bits;
  setviewport(0, 0, w, h, 1, this);
}

void IMAGE::set_defaults() {
  setcolor(0xFFD3D3D3, this);
  setbkcolor(0xFF000000, this);
  SetBkMode(dc, OPAQUE);
  setfillstyle(1, 0, this);
  setlinestyle(0, 0, 1, this);
  settextjustify(0, 0, this);
  setfont(16, 0, "SimSun", this);
  set_antialias(false);
}

IMAGE::~IMAGE() {
  attach_gdip_bitmap(false);
  release_objects();
  // A deleted image is detected by its magic; volatile so that the store
  // survives although the object's life ends here.
  *const_cast<volatile uint32_t*>(&magic) = 0;
}

void IMAGE::check_magic(const wchar_t* operation) const {
  if (magic != IMAGE_MAGIC) fatal_image_error(this, operation);
}

// ---- size and copies ------------------------------------------------------------

int IMAGE::resize_f(int w, int h) {
  check_magic(L"IMAGE::resize_f");
  if (w < 0) w = 0;
  if (h < 0) h = 0;
  if (w != width || h != height) {
    // The GDI+ bitmap addresses the old pixels: let go of it first.
    attach_gdip_bitmap(false);
    argb_color* bits = nullptr;
    HBITMAP fresh = create_dib(w, h, &bits);
    if (fresh == nullptr) bitmap_failure();
    HGDIOBJ old = SelectObject(dc, fresh);
    DeleteObject(old);
    bitmap = fresh;
    width = w;
    height = h;
    pixels = bits;
    SelectClipRgn(dc, nullptr);
    if (graphics_holder.object != nullptr) {
      GpGraphics* renewed = clone_gdip_graphics(dc, graphics_holder);
      GdipDeleteGraphics(graphics_holder.object);
      graphics_holder.object = renewed;
    }
  }
  setviewport(0, 0, w, h, 1, this);
  return 0;
}

int IMAGE::resize(int w, int h) {
  check_magic(L"IMAGE::resize");
  int result = resize_f(w, h);
  cleardevice(this);
  return result;
}

IMAGE& IMAGE::operator=(const IMAGE& other) {
  check_magic(L"IMAGE::operator=");
  if (&other == this) return *this;
  resize_f(other.width, other.height);
  copy_whole_image(this, &other);
  return *this;
}

void IMAGE::copyimage(IMAGE* other) {
  check_magic(L"IMAGE::copyimage");
  IMAGE* source = resolve_image(other);
  if (source == nullptr) return;
  *this = *source;
}

// ---- GDI+ objects ------------------------------------------------------------------

GpGraphics* IMAGE::gdip_graphics() {
  if (graphics_holder.object == nullptr) {
    graphics_holder.record(GdipCreateFromHDC(dc, &graphics_holder.object));
    if (graphics_holder.object != nullptr) {
      graphics_holder.record(GdipSetPixelOffsetMode(graphics_holder.object, PixelOffsetModeHalf));
      graphics_holder.record(
          GdipSetSmoothingMode(graphics_holder.object, antialias ? SmoothingModeAntiAlias : SmoothingModeNone));
      graphics_holder.record(GdipSetTextRenderingHint(
          graphics_holder.object, antialias ? TextRenderingHintAntiAlias : TextRenderingHintSystemDefault));
    }
  }
  return graphics_holder.object;
}

GpPen* IMAGE::gdip_pen() {
  if (pen_holder.object == nullptr) {
    pen_holder.record(GdipCreatePen1(line_color, line_width, UnitWorld, &pen_holder.object));
    if (pen_holder.object != nullptr)
      pen_holder.record(GdipSetPenDashStyle(pen_holder.object, DashStyle(to_gdiplus_dashstyle(line_style))));
  }
  return pen_holder.object;
}

GpBrush* IMAGE::gdip_brush() {
  if (brush_holder.object == nullptr) {
    GpSolidFill* solid = nullptr;
    brush_holder.record(GdipCreateSolidFill(fill_color, &solid));
    brush_holder.object = reinterpret_cast<GpBrush*>(solid);
  }
  return brush_holder.object;
}

void IMAGE::set_gdip_brush(GpBrush* brush) {
  if (brush_holder.object != nullptr) GdipDeleteBrush(brush_holder.object);
  brush_holder.object = brush;
}

void IMAGE::set_antialias(bool on) {
  antialias = on;
  if (graphics_holder.object == nullptr) return;
  graphics_holder.record(
      GdipSetSmoothingMode(graphics_holder.object, on ? SmoothingModeAntiAlias : SmoothingModeNone));
  graphics_holder.record(GdipSetTextRenderingHint(graphics_holder.object,
                                                  on ? TextRenderingHintAntiAlias : TextRenderingHintSystemDefault));
}

void IMAGE::attach_gdip_bitmap(bool create) {
  if (bitmap_holder.object != nullptr) {
    GdipDisposeImage(reinterpret_cast<GpImage*>(bitmap_holder.object));
    bitmap_holder.object = nullptr;
  }
  if (create)
    bitmap_holder.record(GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                                   reinterpret_cast<BYTE*>(pixels), &bitmap_holder.object));
}

int IMAGE::release_objects() {
  if (graphics_holder.object != nullptr) GdipDeleteGraphics(graphics_holder.object);
  if (pen_holder.object != nullptr) GdipDeletePen(pen_holder.object);
  if (brush_holder.object != nullptr) GdipDeleteBrush(brush_holder.object);
  graphics_holder.object = nullptr;
  pen_holder.object = nullptr;
  brush_holder.object = nullptr;
  if (dc == nullptr) return 0;
  HGDIOBJ selected[] = {GetCurrentObject(dc, OBJ_BITMAP), GetCurrentObject(dc, OBJ_BRUSH),
                        GetCurrentObject(dc, OBJ_PEN), GetCurrentObject(dc, OBJ_FONT)};
  DeleteDC(dc);
  dc = nullptr;
  for (HGDIOBJ object : selected) DeleteObject(object);
  return 0;
}

// ---- free functions ------------------------------------------------------------------

IMAGE* newimage() { return new IMAGE(); }

IMAGE* newimage(int width, int height) { return new IMAGE(width < 1 ? 1 : width, height < 1 ? 1 : height); }

void delimage(IMAGE* img) { delete img; }

int getwidth(IMAGE* img) {
  IMAGE* image = resolve_image(img);
  return image ? image->width : 0;
}

int getheight(IMAGE* img) {
  IMAGE* image = resolve_image(img);
  return image ? image->height : 0;
}

int getx(IMAGE* img) {
  IMAGE* image = resolve_image(img);
  if (image == nullptr) return -1;
  POINT position = {};
  GetCurrentPositionEx(image->dc, &position);
  return position.x;
}

int gety(IMAGE* img) {
  IMAGE* image = resolve_image(img);
  if (image == nullptr) return -1;
  POINT position = {};
  GetCurrentPositionEx(image->dc, &position);
  return position.y;
}

argb_color* getbuffer(IMAGE* img) {
  IMAGE* image = resolve_image(img);
  return image ? image->pixels : nullptr;
}

const argb_color* getbuffer(const IMAGE* img) { return getbuffer(const_cast<IMAGE*>(img)); }

HDC getimagedc(IMAGE* img) {
  IMAGE* image = resolve_image(img);
  return image ? image->dc : nullptr;
}

int resize_f(IMAGE* img, int width, int height) { return img->resize_f(width, height); }

int resize(IMAGE* img, int width, int height) { return img->resize(width, height); }

void setantialias(bool on, IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  if (image != nullptr) image->set_antialias(on);
}

}  // namespace frond
