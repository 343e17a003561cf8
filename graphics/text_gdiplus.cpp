// GDI+ text output: the image's font drawn through GDI+ at float positions,
// in the full ARGB text colour, with the image's world transform. The font's
// escapement becomes a rotation and its width a horizontal scale of the
// world transform, since a GDI+ font has neither.
// Depends on: state (selectors, change counting), text (mb_to_wide), images (GDI+ graphics).
#include <cmath>
#include <cwchar>
#include <mutex>

#include "graphics/state.h"
#include "graphics/text_internal.h"
#include "platform/gdiplus_text.h"

using namespace Gdiplus;

namespace frond {

gdip_holder<GpStringFormat>& typographic_format() {
  static gdip_holder<GpStringFormat> holder;
  static std::once_flag made;
  std::call_once(made, [] { holder.record(GdipStringFormatGetGenericTypographic(&holder.object)); });
  return holder;
}

namespace {

int extent_width(HDC dc, const wchar_t* text) {
  SIZE extent = {};
  GetTextExtentPoint32W(dc, text, static_cast<int>(std::wcslen(text)), &extent);
  return extent.cx;
}

// Selects a new font of `record` in place of the selected one, which is then deleted.
void reselect_font(HDC dc, const LOGFONTW& record) {
  if (HFONT font = CreateFontIndirectW(&record)) DeleteObject(SelectObject(dc, font));
}

// The ratio of the text's width in the font as selected to its width in the
// same font at its natural width; 1 for a font of natural width.
float width_scale(HDC dc, const LOGFONTW& record, const wchar_t* text) {
  if (record.lfWidth == 0) return 1.0f;
  const int given = extent_width(dc, text);
  LOGFONTW natural = record;
  natural.lfWidth = 0;
  reselect_font(dc, natural);
  const int plain = extent_width(dc, text);
  reselect_font(dc, record);
  return given != 0 && plain != 0 && given != plain ? static_cast<float>(double(given) / plain) : 1.0f;
}

// The GDI+ font of the DC's font; "System" draws in the default GUI font.
GpFont* make_font(HDC dc, const LOGFONTW& selected, bool have_selected, gdip_holder<GpGraphics>& holder) {
  GpFont* font = nullptr;
  LOGFONTW record = selected;
  const bool system = have_selected && std::wcscmp(selected.lfFaceName, L"System") == 0;
  const bool have = system ? GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(record), &record) != 0 : have_selected;
  holder.record(have ? GdipCreateFontFromLogfontW(dc, &record, &font) : GdipCreateFontFromDC(dc, &font));
  return font;
}

}  // namespace

void draw_text_gdiplus(const wchar_t* text, float x, float y, IMAGE* img) {
  if (img == nullptr || img->dc == nullptr || text == nullptr) return;
  GpGraphics* graphics = img->gdip_graphics();
  if (graphics == nullptr) return;
  gdip_holder<GpGraphics>& holder = img->graphics_holder;
  HDC dc = img->dc;
  LOGFONTW record = {};
  const bool have_record = GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof(record), &record) != 0;

  GpFont* font = make_font(dc, record, have_record, holder);
  GpSolidFill* solid = nullptr;
  holder.record(GdipCreateSolidFill(img->text_color, &solid));
  GpBrush* brush = reinterpret_cast<GpBrush*>(solid);  // a solid fill is a brush
  gdip_holder<GpStringFormat>& shared = typographic_format();
  GpStringFormat* format = nullptr;
  if (shared.object != nullptr) shared.record(GdipCloneStringFormat(shared.object, &format));
  if (format != nullptr && img->text_halign >= 0 && img->text_halign <= 2)
    shared.record(GdipSetStringFormatAlign(format, static_cast<StringAlignment>(img->text_halign)));

  const float sx = have_record ? width_scale(dc, record, text) : 1.0f;
  const float angle = have_record && record.lfEscapement % 3600 != 0 ? -record.lfEscapement / 10.0f : 0.0f;
  if (font != nullptr && brush != nullptr) {
    if (sx != 1.0f || angle != 0.0f) {
      GpMatrix* saved = nullptr;
      holder.record(GdipCreateMatrix(&saved));
      holder.record(GdipGetWorldTransform(graphics, saved));
      holder.record(GdipTranslateWorldTransform(graphics, x, y, MatrixOrderPrepend));
      if (angle != 0.0f) holder.record(GdipRotateWorldTransform(graphics, angle, MatrixOrderPrepend));
      if (sx != 1.0f) holder.record(GdipScaleWorldTransform(graphics, sx, 1.0f, MatrixOrderPrepend));
      const GpRectF origin = {0, 0, 0, 0};
      holder.record(GdipDrawString(graphics, text, -1, font, &origin, format, brush));
      if (saved != nullptr) {
        holder.record(GdipSetWorldTransform(graphics, saved));
        GdipDeleteMatrix(saved);
      }
    } else {
      const GpRectF origin = {x, y, 0, 0};
      holder.record(GdipDrawString(graphics, text, -1, font, &origin, format, brush));
    }
  }
  if (format != nullptr) GdipDeleteStringFormat(format);
  if (brush != nullptr) GdipDeleteBrush(brush);
  if (font != nullptr) GdipDeleteFont(font);
}

void frond_outtextxy(int x, int y, const wchar_t* text, IMAGE* img) {
  draw_text_gdiplus(text, float(x), float(y), resolve_image_counting(img));
}

void frond_outtextxy(int x, int y, const char* text, IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  if (image != nullptr && text != nullptr) draw_text_gdiplus(mb_to_wide(text).c_str(), float(x), float(y), image);
}

void frond_outtextxy(int x, int y, char c, IMAGE* img) {
  const char text[2] = {c, 0};
  frond_outtextxy(x, y, text, img);
}

void frond_outtextxy(int x, int y, wchar_t c, IMAGE* img) {
  const wchar_t text[2] = {c, 0};
  frond_outtextxy(x, y, text, img);
}

void frond_drawtext(const wchar_t* text, float x, float y, IMAGE* img) {
  draw_text_gdiplus(text, x, y, resolve_image_counting(img));
}

void frond_drawtext(const char* text, float x, float y, IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  if (image != nullptr && text != nullptr) draw_text_gdiplus(mb_to_wide(text).c_str(), x, y, image);
}

}  // namespace frond
