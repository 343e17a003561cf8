// Font metrics the way Windows derives them from a TrueType face: the cell is
// the OS/2 table's Windows ascent plus descent, the average width its
// xAvgCharWidth, the strike-out from its strike-out fields.
// Depends on: FreeType (the face's OS/2 table). Renders no glyphs.
#include "fonts/face_metrics.h"

#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace platform::fonts {
namespace {

int round_int(double v) { return static_cast<int>(std::lround(v)); }

}  // namespace

Metrics face_metrics(FT_Face face, const LOGFONTW& record, const FaceChoice& choice, FaceSize* size) {
  const double upem = face->units_per_EM > 0 ? face->units_per_EM : 2048.0;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const bool has_os2 = os2 != nullptr && os2->version != 0xFFFF;
  double ascent_units = face->ascender, descent_units = -face->descender;
  if (has_os2 && os2->usWinAscent + os2->usWinDescent > 0) {
    ascent_units = os2->usWinAscent;
    descent_units = os2->usWinDescent;
  }
  if (ascent_units + descent_units <= 0) {
    ascent_units = upem * 0.8;
    descent_units = upem * 0.2;
  }
  const double cell_units = ascent_units + descent_units;

  Metrics m;
  double em;
  const int64_t height = record.lfHeight;
  if (height >= 0) {
    m.height = height == 0 ? kDefaultCellHeight : static_cast<int>(std::min<int64_t>(height, kMaxFontPixels));
    em = m.height * upem / cell_units;
    m.ascent = round_int(m.height * ascent_units / cell_units);
  } else {
    em = static_cast<double>(std::min<int64_t>(-height, kMaxFontPixels));
    m.height = std::max(1, round_int(em * cell_units / upem));
    m.ascent = round_int(em * ascent_units / upem);
  }
  const double px = em / upem;  // pixels per font unit
  m.em = em;
  m.ascent = std::clamp(m.ascent, 0, m.height);
  m.descent = m.height - m.ascent;
  m.internal_leading = std::max(0, m.height - round_int(em));
  // The line gap the Windows cell does not already include.
  const double hhea_extent = face->ascender - face->descender;
  const double line_gap = face->height - hhea_extent;
  m.external_leading = std::max(0, round_int((line_gap - (cell_units - hhea_extent)) * px));

  const double natural_width = has_os2 && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth * px : em / 2;
  const int64_t width = std::min<int64_t>(std::llabs(int64_t{record.lfWidth}), kMaxFontPixels);
  size->em = em;
  size->x_scale = width != 0 && natural_width > 0 ? width / natural_width : 1.0;
  m.ave_char_width = width != 0 ? static_cast<int>(width) : std::max(1, round_int(natural_width));
  m.max_char_width = round_int(face->max_advance_width * px * size->x_scale) + (choice.synthetic_bold ? 1 : 0);

  m.weight = choice.weight;
  m.italic = record.lfItalic != 0;
  m.underline = record.lfUnderline != 0;
  m.strike_out = record.lfStrikeOut != 0;
  m.fixed_pitch = FT_IS_FIXED_WIDTH(face);
  m.family = static_cast<BYTE>(record.lfPitchAndFamily & 0xF0);
  if (m.family == FF_DONTCARE) m.family = m.fixed_pitch ? FF_MODERN : FF_SWISS;
  m.char_set = record.lfCharSet;

  // Lines stay inside the cell, at least one pixel thick.
  m.underline_thickness = std::clamp(round_int(face->underline_thickness * px), 1, std::max(1, m.height / 4));
  const int underline_centre = round_int(-face->underline_position * px);
  m.underline_offset = std::clamp(underline_centre - m.underline_thickness / 2, 0,
                                  std::max(0, m.descent - m.underline_thickness));
  const bool has_strikeout = has_os2 && os2->yStrikeoutSize > 0 && os2->yStrikeoutPosition > 0;
  m.strikeout_thickness = has_strikeout ? std::max(1, round_int(os2->yStrikeoutSize * px)) : m.underline_thickness;
  m.strikeout_offset = std::clamp(has_strikeout ? round_int(os2->yStrikeoutPosition * px) : round_int(em * 0.26),
                                  m.strikeout_thickness, std::max(m.strikeout_thickness, m.ascent));
  m.escapement = (record.lfEscapement % 3600) / 10.0 * 3.141592653589793 / 180.0;
  return m;
}

}  // namespace platform::fonts
