// DrawTextW: text formatted in a rectangle. Lines end at CR LF, LF or CR
// (unless DT_SINGLELINE); DT_WORDBREAK wraps between words where a word would
// cross the right edge, dropping the spaces at the break, and with
// DT_EDITCONTROL also inside a word too wide for a line; DT_EXPANDTABS puts
// tab stops every eight average character widths; without DT_NOPREFIX "&x"
// draws x underlined and "&&" draws "&". The text is clipped to the
// rectangle unless DT_NOCLIP. The DC's text alignment is not used.
// Depends on: text_render (layout and painting). No ellipses (DT_END_ELLIPSIS,
// DT_PATH_ELLIPSIS).
#include <algorithm>
#include <string>

#include "gdi/text_render.h"

using namespace platform::gdi;

namespace {

constexpr int kTabColumns = 8;

struct Span {
  size_t from, to;
};

bool is_blank(char32_t c) { return c == U' ' || c == U'\t'; }

class Formatter {
 public:
  Formatter(const platform::fonts::Font& font, const std::u32string& text, UINT format)
      : format_(format), tab_(int64_t{kTabColumns} * std::max(1, font.metrics().ave_char_width)) {
    const bool prefixes = (format & DT_NOPREFIX) == 0;
    for (size_t i = 0; i < text.size(); ++i) {
      if (prefixes && text[i] == U'&') {
        if (++i == text.size()) break;  // a lone '&' at the end shows nothing
        chars_.push_back(text[i]);
        marked_.push_back(text[i] != U'&');
      } else {
        chars_.push_back(text[i]);
        marked_.push_back(false);
      }
    }
    glyphs_ = font.glyphs(chars_.data(), chars_.size());
  }

  // The lines of the text within `width` pixels.
  std::vector<Span> lines(int64_t width) const {
    std::vector<Span> out;
    if (chars_.empty()) return out;
    if ((format_ & DT_SINGLELINE) != 0) {
      out.push_back({0, chars_.size()});
      return out;
    }
    for (size_t start = 0;;) {
      size_t end = start;
      while (end < chars_.size() && chars_[end] != U'\r' && chars_[end] != U'\n') ++end;
      if ((format_ & DT_WORDBREAK) != 0) wrap({start, end}, width, &out);
      else out.push_back({start, end});
      if (end == chars_.size()) break;
      start = end + (chars_[end] == U'\r' && end + 1 < chars_.size() && chars_[end + 1] == U'\n' ? 2 : 1);
    }
    return out;
  }

  // The laid-out line; prefixed characters carry their underline marks.
  TextLine line(const Span& s) const {
    TextLine out;
    for (size_t i = s.from; i < s.to; ++i) {
      const int64_t pen = out.width;
      if (expands(i)) out.width = next_tab(pen);
      else out.add(glyphs_[i]);
      if (marked_[i]) out.marks.emplace_back(pen, out.width);
    }
    return out;
  }

 private:
  bool expands(size_t i) const { return chars_[i] == U'\t' && (format_ & DT_EXPANDTABS) != 0; }
  int64_t next_tab(int64_t pen) const { return (pen / tab_ + 1) * tab_; }
  int64_t advance(size_t i, int64_t pen) const { return expands(i) ? next_tab(pen) - pen : glyphs_[i]->advance; }

  // Breaks the paragraph p into lines of at most `width` pixels where it can.
  void wrap(Span p, int64_t width, std::vector<Span>* out) const {
    size_t start = p.from;
    for (;;) {
      int64_t pen = 0;
      size_t break_end = 0, next_start = 0;  // the last word boundary: text end, next word's start
      bool broken = false;
      for (size_t i = start; i < p.to; ++i) {
        const int64_t a = advance(i, pen);
        if (is_blank(chars_[i])) {
          if (i > start && !is_blank(chars_[i - 1])) break_end = i;
          if (i + 1 < p.to && !is_blank(chars_[i + 1]) && break_end > start) next_start = i + 1;
        } else if (pen + a > width && i > start) {
          if (next_start > start) {
            out->push_back({start, break_end});
            start = next_start;
            broken = true;
            break;
          }
          if ((format_ & DT_EDITCONTROL) != 0) {
            out->push_back({start, i});
            start = i;
            broken = true;
            break;
          }
        }
        pen += a;
      }
      if (!broken) {
        out->push_back({start, p.to});
        return;
      }
    }
  }

  const UINT format_;
  const int64_t tab_;
  std::u32string chars_;
  std::vector<bool> marked_;
  std::vector<platform::fonts::GlyphRef> glyphs_;
};

LONG clamp_long(int64_t v) { return static_cast<LONG>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

}  // namespace

int DrawTextW(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format) {
  const auto d = find_dc(dc);
  if (!d || text == nullptr || rect == nullptr || count < -1) return 0;
  const auto font = dc_font(*d);
  if (!font) return 0;
  const size_t length = count == -1 ? std::char_traits<wchar_t>::length(text) : static_cast<size_t>(count);
  const Formatter formatter(*font, platform::fonts::code_points(text, length), format);

  const platform::fonts::Metrics& m = font->metrics();
  const int64_t line_height = m.height + ((format & DT_EXTERNALLEADING) != 0 ? m.external_leading : 0);
  const int64_t box_width = int64_t{rect->right} - rect->left;
  const std::vector<Span> spans = formatter.lines(box_width);
  std::vector<TextLine> lines;
  int64_t widest = 0;
  for (const Span& s : spans) {
    lines.push_back(formatter.line(s));
    widest = std::max(widest, lines.back().width);
  }
  const int64_t text_height = line_height * static_cast<int64_t>(lines.size());
  const bool single = (format & DT_SINGLELINE) != 0;
  int64_t top = rect->top;
  if (single && (format & DT_VCENTER) != 0) top += (int64_t{rect->bottom} - rect->top - line_height) / 2;
  else if (single && (format & DT_BOTTOM) != 0) top = int64_t{rect->bottom} - line_height;
  const int result = static_cast<int>(std::clamp<int64_t>(
      (format & (DT_VCENTER | DT_BOTTOM)) != 0 ? top + text_height - rect->top : text_height, 0, INT32_MAX));

  if ((format & DT_CALCRECT) != 0) {
    // Several wrapped lines keep the width unless a word is wider; otherwise the width is the text's.
    const bool wrapped = !single && (format & DT_WORDBREAK) != 0;
    rect->right = clamp_long(rect->left + (wrapped ? std::max(box_width, widest) : widest));
    rect->bottom = clamp_long(top + text_height);
    return result;
  }

  const RECT clip{clamp_long(device_x(*d, rect->left)), clamp_long(device_y(*d, rect->top)),
                  clamp_long(device_x(*d, rect->right)), clamp_long(device_y(*d, rect->bottom))};
  for (size_t k = 0; k < lines.size(); ++k) {
    const int64_t y = top + line_height * static_cast<int64_t>(k);
    // An edit control shows no partly visible last line (the first line always shows).
    if ((format & DT_EDITCONTROL) != 0 && k > 0 && y + line_height > rect->bottom) break;
    int64_t x = rect->left;
    if ((format & DT_CENTER) != 0) x += (box_width - lines[k].width) / 2;
    else if ((format & DT_RIGHT) != 0) x = rect->right - lines[k].width;
    const TextPlacement at{x + d->viewport.x, y + d->viewport.y, 0, 0};
    paint_text(*d, *font, lines[k], at, (format & DT_NOCLIP) != 0 ? nullptr : &clip);
  }
  return result;
}
