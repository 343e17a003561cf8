// What a pen draws: nothing (PS_NULL), one-pixel cosmetic lines, or the
// area of a geometric pen of some width with its caps and joins; and the
// on/off runs of its style. Cosmetic runs count pixels along a line's major
// axis; geometric runs are lengths in logical units.
// Depends on: objects (pens). Draws nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "gdi/objects.h"

namespace platform::gdi {

enum class PenCap { flat, square, round };
enum class PenJoin { miter, bevel, round };

struct PenShape {
  bool null = false;
  bool geometric = false;
  double width = 1;
  PenCap cap = PenCap::round;
  PenJoin join = PenJoin::round;
  std::vector<double> runs;  // on, off, on, ...: empty for a solid line

  bool styled() const { return !runs.empty(); }
};

PenShape describe_pen(const Pen& pen);

// Walks a style pattern: whether position p (0, 1, ...) is in an "on" run.
class StyleCursor {
 public:
  explicit StyleCursor(const std::vector<double>& runs);
  bool on(uint64_t position) const;

 private:
  std::vector<uint64_t> ends_;  // cumulative run ends, in whole pixels
};

}  // namespace platform::gdi
