// The plain state of a DC: colours, modes, viewport origin, current position
// and miter limit. Setters return the previous value, or the documented
// failure value for a bad DC or argument.
// Depends on: dc. Draws nothing; there are no mapping modes or window extents.
#include "gdi/dc.h"

using platform::gdi::find_dc;

COLORREF SetBkColor(HDC dc, COLORREF color) {
  const auto d = find_dc(dc);
  if (!d) return CLR_INVALID;
  const COLORREF old = d->bk_color;
  d->bk_color = color;
  return old;
}

COLORREF GetBkColor(HDC dc) {
  const auto d = find_dc(dc);
  return d ? d->bk_color : CLR_INVALID;
}

int SetBkMode(HDC dc, int mode) {
  const auto d = find_dc(dc);
  if (!d || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  const int old = d->bk_mode;
  d->bk_mode = mode;
  return old;
}

int GetBkMode(HDC dc) {
  const auto d = find_dc(dc);
  return d ? d->bk_mode : 0;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
  const auto d = find_dc(dc);
  if (!d) return CLR_INVALID;
  const COLORREF old = d->text_color;
  d->text_color = color;
  return old;
}

COLORREF GetTextColor(HDC dc) {
  const auto d = find_dc(dc);
  return d ? d->text_color : CLR_INVALID;
}

int SetROP2(HDC dc, int mode) {
  const auto d = find_dc(dc);
  if (!d || mode < R2_BLACK || mode > R2_WHITE) return 0;
  const int old = d->rop2;
  d->rop2 = mode;
  return old;
}

int SetStretchBltMode(HDC dc, int mode) {
  const auto d = find_dc(dc);
  if (!d || mode < BLACKONWHITE || mode > HALFTONE) return 0;
  const int old = d->stretch_mode;
  d->stretch_mode = mode;
  return old;
}

int GetStretchBltMode(HDC dc) {
  const auto d = find_dc(dc);
  return d ? d->stretch_mode : 0;
}

BOOL SetMiterLimit(HDC dc, float limit, float* old_limit) {
  const auto d = find_dc(dc);
  if (!d || !(limit >= 1.0f)) return FALSE;
  if (old_limit) *old_limit = d->miter_limit;
  d->miter_limit = limit;
  return TRUE;
}

BOOL GetMiterLimit(HDC dc, float* limit) {
  const auto d = find_dc(dc);
  if (!d || !limit) return FALSE;
  *limit = d->miter_limit;
  return TRUE;
}

namespace {

// The DC's point `field` becomes (x, y); the old one goes to `old` when given.
BOOL replace_point(HDC dc, POINT platform::gdi::DeviceContext::*field, int x, int y, LPPOINT old) {
  const auto d = find_dc(dc);
  if (!d) return FALSE;
  if (old) *old = (*d).*field;
  (*d).*field = POINT{x, y};
  return TRUE;
}

BOOL read_point(HDC dc, POINT platform::gdi::DeviceContext::*field, LPPOINT out) {
  const auto d = find_dc(dc);
  if (!d || !out) return FALSE;
  *out = (*d).*field;
  return TRUE;
}

}  // namespace

BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT old_origin) {
  return replace_point(dc, &platform::gdi::DeviceContext::viewport, x, y, old_origin);
}

BOOL GetViewportOrgEx(HDC dc, LPPOINT origin) {
  return read_point(dc, &platform::gdi::DeviceContext::viewport, origin);
}

BOOL MoveToEx(HDC dc, int x, int y, LPPOINT old_position) {
  return replace_point(dc, &platform::gdi::DeviceContext::position, x, y, old_position);
}

BOOL GetCurrentPositionEx(HDC dc, LPPOINT position) {
  return read_point(dc, &platform::gdi::DeviceContext::position, position);
}
