// Editing and word wrap of an edit control's text (see edit_text.h).
// Depends on: nothing but the standard library. Draws nothing.
#include "wm/edit/edit_text.h"

#include <algorithm>
#include <utility>

namespace platform::wm::edit {
namespace {

bool is_high(wchar_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool is_low(wchar_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// A CR LF or a surrogate pair: two units that make one character.
bool is_pair(wchar_t first, wchar_t second) {
  return (first == L'\r' && second == L'\n') || (is_high(first) && is_low(second));
}

}  // namespace

void EditText::set_layout(int width, int visible, Measure measure) {
  width_ = std::max(width, 1);
  visible_ = std::max(visible, 1);
  measure_ = std::move(measure);
  relayout();
}

void EditText::set_text(const std::wstring& text) {
  text_ = text;
  caret_ = 0;
  relayout();
}

size_t EditText::step_back(size_t at) const {
  if (at == 0) return 0;
  return at >= 2 && is_pair(text_[at - 2], text_[at - 1]) ? at - 2 : at - 1;
}

size_t EditText::step_forward(size_t at) const {
  if (at >= text_.size()) return text_.size();
  return at + 1 < text_.size() && is_pair(text_[at], text_[at + 1]) ? at + 2 : at + 1;
}

std::vector<Line> EditText::wrap(const std::wstring& text) const {
  if (!multiline_) return {Line{0, text.size()}};
  std::vector<Line> lines;
  size_t pos = 0;
  for (;;) {
    const size_t hard = text.find(L"\r\n", pos);
    const size_t end = hard == std::wstring::npos ? text.size() : hard;
    if (pos == end) lines.push_back(Line{pos, 0});
    for (size_t s = pos; s < end;) {
      // The most units from s that fit, never half a surrogate pair, at least one character.
      size_t n = 0;
      while (s + n < end && measure_(text.data() + s, int(n + 1)) <= width_) ++n;
      if (n > 0 && s + n < end && is_low(text[s + n])) --n;
      if (n == 0) n = (s + 1 < end && is_high(text[s]) && is_low(text[s + 1])) ? 2 : 1;
      size_t next = s + n;
      if (next < end) {
        if (text[next] == L' ') {
          while (next < end && text[next] == L' ') ++next;  // spaces stay at the end of the line
        } else {
          const size_t space = text.find_last_of(L' ', next - 1);
          if (space != std::wstring::npos && space >= s) next = space + 1;  // break between words
        }
      }
      lines.push_back(Line{s, next - s});
      s = next;
    }
    if (hard == std::wstring::npos) break;
    pos = hard + 2;
  }
  return lines;
}

void EditText::relayout() {
  lines_ = wrap(text_);
  const size_t line = caret_line();
  if (line < first_visible_) first_visible_ = line;
  if (line >= first_visible_ + size_t(visible_)) first_visible_ = line + 1 - size_t(visible_);
  if (first_visible_ >= lines_.size()) first_visible_ = 0;
}

bool EditText::insert(const std::wstring& units) {
  const size_t room = limit_ > text_.size() ? limit_ - text_.size() : 0;
  std::wstring take = units.substr(0, std::min(room, units.size()));
  if (take.size() < units.size() && !take.empty() &&
      ((take.back() == L'\r' && units[take.size()] == L'\n') || is_high(take.back())))
    take.pop_back();
  if (take.empty()) return false;
  std::wstring changed = text_;
  changed.insert(caret_, take);
  if (multiline_ && !auto_vscroll_ && wrap(changed).size() > size_t(visible_)) return false;
  text_ = std::move(changed);
  caret_ += take.size();
  relayout();
  return true;
}

bool EditText::backspace() {
  if (caret_ == 0) return false;
  const size_t from = step_back(caret_);
  text_.erase(from, caret_ - from);
  caret_ = from;
  relayout();
  return true;
}

bool EditText::erase_forward() {
  if (caret_ >= text_.size()) return false;
  text_.erase(caret_, step_forward(caret_) - caret_);
  relayout();
  return true;
}

void EditText::move_left() {
  caret_ = step_back(caret_);
  relayout();
}

void EditText::move_right() {
  caret_ = step_forward(caret_);
  relayout();
}

size_t EditText::caret_line() const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Line& l = lines_[i];
    const size_t end = l.start + l.length;
    if (caret_ < l.start) continue;
    if (caret_ < end) return i;
    // The end of a line is its own only where the next one does not start there (a wrap).
    if (caret_ == end && (i + 1 == lines_.size() || lines_[i + 1].start != end)) return i;
  }
  return lines_.empty() ? 0 : lines_.size() - 1;
}

int EditText::caret_x() const {
  const Line& l = lines_[caret_line()];
  return measure_(text_.data() + l.start, int(caret_ - l.start));
}

size_t EditText::index_at_x(size_t line, int x) const {
  const Line& l = lines_[line];
  const bool wrapped = line + 1 < lines_.size() && lines_[line + 1].start == l.start + l.length;
  const size_t last = wrapped ? step_back(l.start + l.length) : l.start + l.length;
  size_t at = l.start;
  while (at < last) {
    const size_t next = step_forward(at);
    const int here = measure_(text_.data() + l.start, int(at - l.start));
    const int there = measure_(text_.data() + l.start, int(next - l.start));
    if (x < (here + there) / 2) break;
    at = next;
  }
  return at;
}

void EditText::move_home() {
  caret_ = lines_[caret_line()].start;
  relayout();
}

void EditText::move_end() {
  caret_ = index_at_x(caret_line(), 0x7FFFFFFF);
  relayout();
}

void EditText::move_up() {
  const size_t line = caret_line();
  if (line == 0) return;
  caret_ = index_at_x(line - 1, caret_x());
  relayout();
}

void EditText::move_down() {
  const size_t line = caret_line();
  if (line + 1 >= lines_.size()) return;
  caret_ = index_at_x(line + 1, caret_x());
  relayout();
}

void EditText::place(int x, int y, int line_height) {
  const long row = y < 0 ? 0 : y / std::max(line_height, 1);
  const size_t line = std::min(first_visible_ + size_t(row), lines_.size() - 1);
  caret_ = index_at_x(line, x);
  relayout();
}

}  // namespace platform::wm::edit
