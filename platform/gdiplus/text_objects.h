// The GDI+ text objects: a font (its GDI record and em size) and a string
// format (its alignment).
#pragma once

#include "platform/gdiplus_text.h"

namespace Gdiplus {

class GpFont {
 public:
  GpFont(const LOGFONTW& record_, REAL em_) : record(record_), em(em_) {}
  const LOGFONTW record;  // width, escapement and orientation zero
  const REAL em;          // pixels
};

class GpStringFormat {
 public:
  explicit GpStringFormat(bool shared_) : shared(shared_) {}
  StringAlignment align = StringAlignmentNear;
  const bool shared;  // the generic typographic format, never deleted
};

}  // namespace Gdiplus
