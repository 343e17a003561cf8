// The process-wide cache of text coverage: the coverage field of a shape on
// the pixel grid, keyed by its contours in sub-pixel units relative to a
// whole pixel. That key fixes the font, size, glyph and sub-pixel offset, and
// two placements with the same key rasterise to the same field moved by
// whole pixels. Bounded in bytes (least recently used fields go first) and
// safe to use from several threads at once.
// Depends on: coverage_field. Rasterises and composites nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "gdiplus/coverage_field.h"

namespace Gdiplus::render {

using FieldRef = std::shared_ptr<const CoverageField>;

// A shape's grid code (as field_of_code reads it) and its hash.
struct ShapeKey {
  const int32_t* code = nullptr;
  size_t size = 0;
  uint64_t hash = 0;
};
uint64_t hash_code(const int32_t* code, size_t size);

// False only while a test has turned the cache off: text is then rasterised whole.
bool glyph_cache_enabled();

// The kept fields of `count` keys, null where none is kept; one lock for all.
void find_fields(const ShapeKey* keys, size_t count, FieldRef* out);

// Keeps `field` as the field of `key`.
void keep_field(const ShapeKey& key, const FieldRef& field);

}  // namespace Gdiplus::render
