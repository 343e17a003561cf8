// What the blend files share. Internal.
// Depends on: state. Holds no loops; those are in blend_rows.
#pragma once

#include "graphics/state.h"

namespace frond {

// The source of a blend's free form, resolved without counting. With no
// source the destination is still resolved (counting selector 0), and the
// caller draws nothing.
inline const IMAGE* blend_source(IMAGE* src, IMAGE* dst) {
  const IMAGE* source = resolve_image(src);
  if (source == nullptr) resolve_image_counting(dst);
  return source;
}

}  // namespace frond
