// Pen outlines: the area a pen covers along a path, as closed contours in
// world coordinates to be filled with the non-zero rule.
// Depends on: matrix, path, pen, raster. Fills nothing.
#pragma once

#include <vector>

#include "gdiplus/matrix.h"
#include "gdiplus/path.h"
#include "gdiplus/pen.h"
#include "gdiplus/raster.h"

namespace Gdiplus::render {

// The outline of `path` drawn with `pen`. `world_to_device` sets how finely
// curves and round parts are divided, and the narrowest stroke: one device
// pixel. Dashes (lengths in pen widths) have flat ends; the pen's start and
// end caps go on the ends of every open figure.
std::vector<Contour> stroke_outline(const GpPath& path, const GpPen& pen, const GpMatrix& world_to_device);

}  // namespace Gdiplus::render
