// Drawing attributes: colours, line style, caps, joins and fill style of an
// image, and how each change reaches the DC's GDI pen and brush and the
// image's GDI+ pen and fill brush.
// Depends on: state (selectors). Does not draw.

#include <vector>

#include "graphics/internal.h"
#include "graphics/state.h"

using namespace Gdiplus;

namespace frond {
namespace {

constexpr uint32_t gdi_cap_flags[] = {PS_ENDCAP_FLAT, PS_ENDCAP_SQUARE, PS_ENDCAP_ROUND};
constexpr uint32_t gdi_join_flags[] = {PS_JOIN_MITER, PS_JOIN_BEVEL, PS_JOIN_ROUND};
constexpr LineCap gdiplus_caps[] = {LineCapFlat, LineCapSquare, LineCapRound};
constexpr LineJoin gdiplus_joins[] = {LineJoinMiter, LineJoinBevel, LineJoinRound};

// Cap and join codes outside 0..2 act as 0.
int style_index(int code) { return code >= 0 && code <= 2 ? code : 0; }

// Hatch style of fill patterns 2..11.
constexpr int hatch_of_pattern[] = {HS_HORIZONTAL, HS_BDIAGONAL, HS_BDIAGONAL, HS_FDIAGONAL, HS_FDIAGONAL,
                                    HS_CROSS,      HS_DIAGCROSS, HS_VERTICAL,  HS_DIAGCROSS, HS_DIAGCROSS};

void select_brush(IMAGE* image, HBRUSH brush) {
  if (brush != nullptr) DeleteObject(SelectObject(image->dc, brush));
  // The GDI+ fill brush is made again, solid in fill_color, on its next use.
  image->set_gdip_brush(nullptr);
}

// Resolves an attribute setter's image: null when there is none or it has no DC.
IMAGE* target_with_dc(IMAGE* img) {
  IMAGE* image = resolve_image(img);
  return image && image->dc ? image : nullptr;
}

}  // namespace

int to_gdiplus_dashstyle(int line_style) {
  static constexpr int dash_styles[] = {DashStyleDash, DashStyleDot, DashStyleDashDot};
  return line_style >= 1 && line_style <= 3 ? dash_styles[line_style - 1] : DashStyleSolid;
}

// The dash array of a 16-pixel user line pattern, bit 0 first: runs of equal
// bits, starting with a run of set bits. The pattern repeats, so with an odd
// number of runs the first and last runs touch and are one run.
std::vector<DWORD> line_pattern_dashes(uint16_t pattern) {
  std::vector<DWORD> runs;
  int bit = pattern & 1;
  DWORD length = 0;
  for (int i = 0; i < 16; ++i) {
    const int value = (pattern >> i) & 1;
    if (value != bit) {
      runs.push_back(length);
      bit = value;
      length = 0;
    }
    ++length;
  }
  runs.push_back(length);
  if (runs.size() % 2 == 1 && runs.size() > 1) {
    runs.front() += runs.back();
    runs.pop_back();
  }
  if ((pattern & 1) == 0 && runs.size() > 1) {
    runs.push_back(runs.front());
    runs.erase(runs.begin());
  }
  return runs;
}

void update_pen(IMAGE* img) {
  const COLORREF color = to_gdi_color(img->line_color);
  HPEN pen = nullptr;
  int style = img->line_style;
  if (style == PS_USERSTYLE && (img->line_pattern & 0xFFFF) == 0xFFFF) style = PS_SOLID;  // all set: solid
  if (style == PS_USERSTYLE && (img->line_pattern & 0xFFFF) == 0) style = PS_NULL;        // none set: no line
  if (img->line_thickness == 1 && (style == PS_SOLID || style == PS_NULL)) {
    LOGPEN record = {UINT(style), {1, 0}, color};
    pen = CreatePenIndirect(&record);
  } else {
    const DWORD pen_style = PS_GEOMETRIC | DWORD(style) | gdi_cap_flags[style_index(img->start_cap)] |
                            gdi_join_flags[style_index(img->line_join)];
    LOGBRUSH brush = {BS_SOLID, color, 0};
    if (style == PS_USERSTYLE) {
      const std::vector<DWORD> dashes = line_pattern_dashes(uint16_t(img->line_pattern));
      pen = ExtCreatePen(pen_style, DWORD(img->line_thickness), &brush, DWORD(dashes.size()), dashes.data());
    } else {
      pen = ExtCreatePen(pen_style, DWORD(img->line_thickness), &brush, 0, nullptr);
    }
  }
  if (pen != nullptr) DeleteObject(SelectObject(img->dc, pen));
  SetMiterLimit(img->dc, img->miter_limit, nullptr);

  GpPen* gdip_pen = img->gdip_pen();
  if (gdip_pen == nullptr) return;
  gdip_holder<GpPen>& holder = img->pen_holder;
  holder.record(GdipSetPenColor(gdip_pen, img->line_color));
  holder.record(GdipSetPenWidth(gdip_pen, img->line_width));
  holder.record(GdipSetPenDashStyle(gdip_pen, DashStyle(to_gdiplus_dashstyle(img->line_style))));
  holder.record(GdipSetPenStartCap(gdip_pen, gdiplus_caps[style_index(img->start_cap)]));
  holder.record(GdipSetPenEndCap(gdip_pen, gdiplus_caps[style_index(img->end_cap)]));
  holder.record(GdipSetPenLineJoin(gdip_pen, gdiplus_joins[style_index(img->line_join)]));
  holder.record(GdipSetPenMiterLimit(gdip_pen, img->miter_limit));
}

// ---- colours ------------------------------------------------------------------------

void setcolor(argb_color color, IMAGE* img) {
  IMAGE* image = target_with_dc(img);
  if (image == nullptr) return;
  image->line_color = color;
  image->text_color = color;
  update_pen(image);
  SetTextColor(image->dc, to_gdi_color(color));
}

argb_color getcolor(IMAGE* img) {
  IMAGE* image = resolve_image(img);
  return image ? image->line_color : 0xFFFFFFFF;
}

void setlinecolor(argb_color color, IMAGE* img) {
  IMAGE* image = target_with_dc(img);
  if (image == nullptr) return;
  image->line_color = color;
  update_pen(image);
}

argb_color getlinecolor(IMAGE* img) { return getcolor(img); }

void setfillcolor(argb_color color, IMAGE* img) {
  IMAGE* image = target_with_dc(img);
  if (image == nullptr) return;
  image->fill_color = color;
  select_brush(image, CreateSolidBrush(to_gdi_color(color)));
}

argb_color getfillcolor(IMAGE* img) {
  IMAGE* image = resolve_image(img);
  return image ? image->fill_color : 0xFFFFFFFF;
}

void setfillstyle(int pattern, argb_color color, IMAGE* img) {
  IMAGE* image = target_with_dc(img);
  if (image == nullptr) return;
  image->fill_color = color;
  LOGBRUSH record = {BS_SOLID, to_gdi_color(color), 0};
  if (pattern == 0) {
    record.lbStyle = BS_NULL;
  } else if (pattern >= 2 && pattern <= 11) {
    record.lbStyle = BS_HATCHED;
    record.lbHatch = ULONG_PTR(hatch_of_pattern[pattern - 2]);
  }  // 1, negative and above 11: solid
  select_brush(image, CreateBrushIndirect(&record));
}

namespace {

// The background-colour setters: with a null argument one change is counted
// first, even when there is no target.
IMAGE* background_target(IMAGE* img) { return target_with_dc(resolve_image_counting(img)); }

}  // namespace

void setbkcolor(argb_color color, IMAGE* img) {
  IMAGE* image = background_target(img);
  if (image == nullptr) return;
  const argb_color old = image->bk_color;
  image->bk_color = color;
  SetBkColor(image->dc, to_gdi_color(color));
  if (image->width < 1 || image->height < 1) return;
  const size_t count = size_t(image->width) * size_t(image->height);
  for (argb_color *p = image->pixels, *end = p + count; p != end; ++p)
    if (*p == old) *p = color;
}

void setbkcolor_norepaint(argb_color color, IMAGE* img) {
  IMAGE* image = background_target(img);
  if (image == nullptr) return;
  image->bk_color = color;
  SetBkColor(image->dc, to_gdi_color(color));
}

argb_color getbkcolor(IMAGE* img) {
  IMAGE* image = resolve_image(img);
  return image ? image->bk_color : 0xFFFFFFFF;
}

void settextcolor(argb_color color, IMAGE* img) {
  IMAGE* image = target_with_dc(img);
  if (image == nullptr) return;
  image->text_color = color;
  SetTextColor(image->dc, to_gdi_color(color));
}

argb_color gettextcolor(IMAGE* img) {
  IMAGE* image = resolve_image(img);
  return image ? image->text_color : 0xFFFFFFFF;
}

void setfontbkcolor(argb_color color, IMAGE* img) {
  IMAGE* image = background_target(img);
  if (image != nullptr) SetBkColor(image->dc, to_gdi_color(color));
}

void setbkmode(int mode, IMAGE* img) {
  IMAGE* image = target_with_dc(img);
  if (image != nullptr) SetBkMode(image->dc, mode);
}

void setwritemode(int mode, IMAGE* img) {
  IMAGE* image = target_with_dc(img);
  if (image != nullptr) SetROP2(image->dc, mode);
}

// ---- lines --------------------------------------------------------------------------------

void setlinestyle(int style, unsigned short pattern, int thickness, IMAGE* img) {
  IMAGE* image = target_with_dc(img);
  if (image == nullptr) return;
  image->line_style = style;
  image->line_thickness = thickness;
  image->line_pattern = pattern;
  image->line_width = float(thickness);
  update_pen(image);
}

void getlinestyle(int* style, unsigned short* pattern, int* thickness, IMAGE* img) {
  IMAGE* image = resolve_image(img);
  if (image == nullptr) return;
  if (style) *style = image->line_style;
  if (pattern) *pattern = static_cast<unsigned short>(image->line_pattern);
  if (thickness) *thickness = image->line_thickness;
}

void setlinewidth(float width, IMAGE* img) {
  IMAGE* image = target_with_dc(img);
  if (image == nullptr) return;
  image->line_width = width;
  image->line_thickness = int(width);
  update_pen(image);
}

void setlinecap(int cap, IMAGE* img) { setlinecap(cap, cap, img); }

void setlinecap(int startcap, int endcap, IMAGE* img) {
  IMAGE* image = target_with_dc(img);
  if (image == nullptr) return;
  image->start_cap = startcap;
  image->end_cap = endcap;
  update_pen(image);
}

void getlinecap(int* startcap, int* endcap, IMAGE* img) {
  IMAGE* image = resolve_image(img);
  if (image == nullptr) return;
  if (startcap) *startcap = image->start_cap;
  if (endcap) *endcap = image->end_cap;
}

int getlinecap(IMAGE* img) {
  IMAGE* image = resolve_image(img);
  return image ? image->start_cap : 0;
}

void setlinejoin(int join, IMAGE* img) {
  IMAGE* image = target_with_dc(img);
  if (image == nullptr) return;
  setlinejoin(join, image->miter_limit, image);
}

void setlinejoin(int join, float miterlimit, IMAGE* img) {
  IMAGE* image = target_with_dc(img);
  if (image == nullptr) return;
  image->line_join = join;
  image->miter_limit = miterlimit >= 1.0f ? miterlimit : 1.0f;  // NaN too
  update_pen(image);
}

void getlinejoin(int* join, float* miterlimit, IMAGE* img) {
  IMAGE* image = resolve_image(img);
  if (image == nullptr) return;
  if (join) *join = image->line_join;
  if (miterlimit) *miterlimit = image->miter_limit;
}

int getlinejoin(IMAGE* img) {
  IMAGE* image = resolve_image(img);
  return image ? image->line_join : 0;
}

}  // namespace frond
