// GDI text output: text at a point or at the current position, and
// word-wrapped text in a rectangle, placed by the image's justification.
// GDI aligns left, centre or right and top or bottom; vertical centring moves
// the reference point by half the text height towards the top of the
// (possibly rotated) text.
// Depends on: state (selectors, change counting), text (mb_to_wide).
#include <algorithm>
#include <climits>
#include <cmath>
#include <cwchar>

#include "graphics/state.h"
#include "graphics/text_internal.h"

namespace frond {
namespace {

// The DC text alignment of the image's justification.
UINT text_alignment(const IMAGE* img) {
  const UINT vertical = img->text_valign == 2 ? TA_BOTTOM : TA_TOP;
  switch (img->text_halign) {
    case 1: return TA_CENTER | vertical;
    case 2: return TA_RIGHT | vertical;
    default: return TA_LEFT | vertical;
  }
}

int text_length(const wchar_t* text) { return static_cast<int>(std::min<size_t>(std::wcslen(text), INT_MAX)); }

int clamp_int(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

// The move that centres the text vertically on its reference point.
text_offset centring_offset(HDC dc, const wchar_t* text, int length) {
  LOGFONTW font = {};
  GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof(font), &font);
  SIZE extent = {};
  GetTextExtentPoint32W(dc, text, length, &extent);
  return escapement_offset(extent.cy, font.lfEscapement);
}

// The image's clip as the viewport sets it: its rectangle, or the whole image.
void restore_viewport_clip(IMAGE* img) {
  const auto& v = img->viewport;
  HRGN region = v.clip ? CreateRectRgn(v.left, v.top, v.right, v.bottom) : CreateRectRgn(0, 0, img->width, img->height);
  SelectClipRgn(img->dc, region);
  DeleteObject(region);
}

// Draws with the top of `box` moved by `shift`, cut to the unmoved box.
void draw_text_cut(IMAGE* img, const wchar_t* text, RECT box, int shift, UINT flags, UINT saved_align) {
  HDC dc = img->dc;
  HRGN saved_clip = CreateRectRgn(0, 0, 0, 0);
  const int had_clip = GetClipRgn(dc, saved_clip);
  IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
  box.top = clamp_int(int64_t{box.top} + shift);
  DrawTextW(dc, text, -1, &box, flags);
  SetTextAlign(dc, saved_align);
  if (had_clip == 0) SelectClipRgn(dc, nullptr);
  else if (had_clip == 1) SelectClipRgn(dc, saved_clip);
  else restore_viewport_clip(img);
  DeleteObject(saved_clip);
}

}  // namespace

text_offset escapement_offset(int height, int escapement) {
  const int r = escapement % 3600;
  if (r == 0) return {0, static_cast<int>(std::round(-height * 0.5))};
  const double a = r / 10.0 * 3.141592653589793 / 180.0;
  return {static_cast<int>(std::round(std::sin(a) * -height * 0.5)),
          static_cast<int>(std::round(std::cos(a) * -height * 0.5))};
}

void textout_justified(IMAGE* img, const wchar_t* text, int x, int y) {
  if (img == nullptr || img->dc == nullptr) return;
  SetTextAlign(img->dc, text_alignment(img));
  if (text == nullptr) return;
  const int length = text_length(text);
  if (img->text_valign == 1) {
    const text_offset d = centring_offset(img->dc, text, length);
    x = clamp_int(int64_t{x} + d.dx);
    y = clamp_int(int64_t{y} + d.dy);
  }
  TextOutW(img->dc, x, y, text, length);
}

void textrect_justified(IMAGE* img, int x, int y, int w, int h, const wchar_t* text) {
  if (img == nullptr || img->dc == nullptr || w <= 0 || h <= 0 || text == nullptr) return;
  HDC dc = img->dc;
  const UINT saved_align = GetTextAlign(dc);
  SetTextAlign(dc, TA_LEFT | TA_TOP);
  UINT flags = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL;
  if (img->text_halign == 1) flags |= DT_CENTER;
  else if (img->text_halign == 2) flags |= DT_RIGHT;
  RECT box = {x, y, clamp_int(int64_t{x} + w), clamp_int(int64_t{y} + h)};
  const int valign = img->text_valign;
  if (valign == 1 || valign == 2) {
    RECT measured = box;
    DrawTextW(dc, text, -1, &measured, flags | DT_CALCRECT);
    const int64_t space = int64_t{box.bottom} - measured.bottom;
    const int shift = clamp_int(valign == 2 ? space : space / 2);
    if (shift < 0) {
      draw_text_cut(img, text, box, shift, flags, saved_align);
      return;
    }
    box.top = clamp_int(int64_t{box.top} + shift);
  }
  DrawTextW(dc, text, -1, &box, flags);
  SetTextAlign(dc, saved_align);
}

// ---- at a point ----------------------------------------------------------------

void outtextxy(int x, int y, const wchar_t* text, IMAGE* img) { textout_justified(resolve_image_counting(img), text, x, y); }

void outtextxy(int x, int y, const char* text, IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  if (image == nullptr) return;
  textout_justified(image, text != nullptr ? mb_to_wide(text).c_str() : nullptr, x, y);
}

void outtextxy(int x, int y, char c, IMAGE* img) {
  const char text[2] = {c, 0};
  outtextxy(x, y, text, img);
}

void outtextxy(int x, int y, wchar_t c, IMAGE* img) {
  const wchar_t text[2] = {c, 0};
  outtextxy(x, y, text, img);
}

// ---- at the current position -----------------------------------------------------

void outtext(const wchar_t* text, IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  if (image == nullptr || image->dc == nullptr) return;
  HDC dc = image->dc;
  SetTextAlign(dc, text_alignment(image) | TA_UPDATECP);
  if (text == nullptr) return;
  const int length = text_length(text);
  const text_offset d = image->text_valign == 1 ? centring_offset(dc, text, length) : text_offset{0, 0};
  POINT p = {};
  if (d.dx != 0 || d.dy != 0) {
    GetCurrentPositionEx(dc, &p);
    MoveToEx(dc, clamp_int(int64_t{p.x} + d.dx), clamp_int(int64_t{p.y} + d.dy), nullptr);
  }
  TextOutW(dc, 0, 0, text, length);
  if (d.dx != 0 || d.dy != 0) {
    GetCurrentPositionEx(dc, &p);
    MoveToEx(dc, clamp_int(int64_t{p.x} - d.dx), clamp_int(int64_t{p.y} - d.dy), nullptr);
  }
}

void outtext(const char* text, IMAGE* img) {
  // Resolved once, so that the count happens once and the image cannot change in between.
  IMAGE* image = resolve_image_counting(img);
  if (image == nullptr) return;
  outtext(text != nullptr ? mb_to_wide(text).c_str() : nullptr, image);
}

void outtext(char c, IMAGE* img) {
  const char text[2] = {c, 0};
  outtext(text, img);
}

void outtext(wchar_t c, IMAGE* img) {
  const wchar_t text[2] = {c, 0};
  outtext(text, img);
}

// ---- in a rectangle ------------------------------------------------------------------

void outtextrect(int x, int y, int w, int h, const wchar_t* text, IMAGE* img) {
  textrect_justified(resolve_image_counting(img), x, y, w, h, text);
}

void outtextrect(int x, int y, int w, int h, const char* text, IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  if (image == nullptr) return;
  textrect_justified(image, x, y, w, h, text != nullptr ? mb_to_wide(text).c_str() : nullptr);
}

}  // namespace frond
