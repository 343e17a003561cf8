// Fill patterns: linear, path and elliptical gradients and textures, each a
// new GDI+ brush that takes the place of the image's fill brush (the old one
// is deleted) until another pattern or a fill colour replaces it.
// Depends on: antialias.h (shared steps), images (the brush holder, the
// texture).

#include "graphics/antialias.h"

using namespace Gdiplus;

namespace frond {
namespace {

// Installs `brush` as the image's fill brush and records the status of its
// making. A pattern that could not be made still takes the fill brush's
// place, as a transparent brush, so that fills paint nothing rather than
// falling back to the fill colour.
void install_pattern(IMAGE* image, GpStatus made, GpBrush* brush) {
  image->brush_holder.record(made);
  if (brush == nullptr) {
    GpSolidFill* nothing = nullptr;
    image->brush_holder.record(GdipCreateSolidFill(0x00000000, &nothing));
    brush = reinterpret_cast<GpBrush*>(nothing);
  }
  image->set_gdip_brush(brush);
}

// Centre colour, then centre point, of a path gradient that was made.
void set_gradient_centre(IMAGE* image, GpPathGradient* brush, argb_color centercolor, frond_point center) {
  if (brush == nullptr) return;
  GpPointF point{center.x, center.y};
  image->brush_holder.record(GdipSetPathGradientCenterColor(brush, centercolor));
  image->brush_holder.record(GdipSetPathGradientCenterPoint(brush, &point));
}

}  // namespace

void frond_setpattern_none(IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  if (image != nullptr) image->set_gdip_brush(nullptr);
}

void frond_setpattern_lineargradient(float x1, float y1, argb_color c1, float x2, float y2, argb_color c2,
                                     IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  if (image == nullptr) return;
  const GpPointF from{x1, y1}, to{x2, y2};
  GpLineGradient* brush = nullptr;
  const GpStatus made = GdipCreateLineBrush(&from, &to, c1, c2, WrapModeTile, &brush);
  install_pattern(image, made, reinterpret_cast<GpBrush*>(brush));
}

void frond_setpattern_pathgradient(frond_point center, argb_color centercolor, int count, const frond_point* points,
                                   int colcount, const argb_color* pointscolor, IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  if (image == nullptr) return;
  GpPathGradient* brush = nullptr;
  const GpStatus made =
      GdipCreatePathGradient(to_gdip_points(count, points).data(), count, WrapModeTile, &brush);
  set_gradient_centre(image, brush, centercolor, center);
  if (brush != nullptr) {
    if (pointscolor != nullptr && colcount > 0) {
      INT given = colcount;
      image->brush_holder.record(GdipSetPathGradientSurroundColorsWithCount(brush, pointscolor, &given));
    } else {
      image->brush_holder.record(InvalidParameter);
    }
  }
  install_pattern(image, made, reinterpret_cast<GpBrush*>(brush));
}

void frond_setpattern_ellipse(frond_point center, argb_color centercolor, float x, float y, float w, float h,
                              argb_color color, IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  if (image == nullptr) return;
  GpPath* ellipse = nullptr;
  GpStatus made = GdipCreatePath(FillModeAlternate, &ellipse);
  GpPathGradient* brush = nullptr;
  if (ellipse != nullptr) {
    GdipAddPathEllipse(ellipse, x, y, w, h);
    made = GdipCreatePathGradientFromPath(ellipse, &brush);
    GdipDeletePath(ellipse);
  }
  set_gradient_centre(image, brush, centercolor, center);
  if (brush != nullptr) {
    INT one = 1;
    image->brush_holder.record(GdipSetPathGradientSurroundColorsWithCount(brush, &color, &one));
  }
  install_pattern(image, made, reinterpret_cast<GpBrush*>(brush));
}

void frond_setpattern_texture(IMAGE* srcimg, float x, float y, float w, float h, IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  IMAGE* source = source_image(srcimg);
  if (image == nullptr || source == nullptr || source->bitmap_holder.object == nullptr) return;
  // The brush keeps its own copy of the texture's pixels, so it outlives
  // any later resize or deletion of the source.
  GpTexture* brush = nullptr;
  const GpStatus made = GdipCreateTexture2(reinterpret_cast<GpImage*>(source->bitmap_holder.object), WrapModeTile,
                                           x, y, w, h, &brush);
  install_pattern(image, made, reinterpret_cast<GpBrush*>(brush));
}

}  // namespace frond
