// The text of an edit control and what editing does to it, apart from any
// window: UTF-16 units with CR LF line breaks, a caret, a limit, word wrap
// into lines of a given pixel width, and the caret's moves over whole
// characters (a CR LF pair and a surrogate pair each count as one step).
// Widths come from a measuring function, so that this is testable alone.
// Depends on: nothing but the standard library. Draws nothing.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace platform::wm::edit {

// Pixel width of `count` units of text.
using Measure = std::function<int(const wchar_t* text, int count)>;

// One displayed line: `length` units from `start`, without the line break.
struct Line {
  size_t start;
  size_t length;
};

class EditText {
 public:
  static constexpr size_t kDefaultLimit = 30000;
  static constexpr size_t kNoLimit = 0x7FFFFFFE;

  EditText(bool multiline, bool auto_vscroll) : multiline_(multiline), auto_vscroll_(auto_vscroll) {}

  // The layout: `width` pixels for each line, `visible` lines without scrolling.
  void set_layout(int width, int visible, Measure measure);

  const std::wstring& text() const { return text_; }
  size_t caret() const { return caret_; }
  size_t limit() const { return limit_; }
  // 0 lifts the limit. Text already longer stays.
  void set_limit(size_t limit) { limit_ = limit == 0 ? kNoLimit : limit; }
  // Replaces everything (the limit does not apply); the caret goes to the start.
  void set_text(const std::wstring& text);

  // Inserts at the caret as much as the limit allows, never half a CR LF or
  // surrogate pair; refused whole when, without auto scrolling, the lines
  // would outgrow the visible ones. True when anything was inserted.
  bool insert(const std::wstring& units);
  bool backspace();
  bool erase_forward();  // the Delete key

  void move_left();
  void move_right();
  void move_home();  // to the start of the caret's line
  void move_end();   // to the end of the caret's line
  void move_up();
  void move_down();
  // Places the caret at the character nearest to (x, y), in pixels from the
  // top left of the first visible line.
  void place(int x, int y, int line_height);

  const std::vector<Line>& lines() const { return lines_; }
  size_t first_visible() const { return first_visible_; }
  // The caret's line and x in pixels within it.
  size_t caret_line() const;
  int caret_x() const;

 private:
  std::vector<Line> wrap(const std::wstring& text) const;
  void relayout();
  size_t step_back(size_t at) const;
  size_t step_forward(size_t at) const;
  size_t index_at_x(size_t line, int x) const;

  bool multiline_;
  bool auto_vscroll_;
  std::wstring text_;
  size_t caret_ = 0;
  size_t limit_ = kDefaultLimit;
  int width_ = 0x7FFFFFFF;
  int visible_ = 1;
  Measure measure_ = [](const wchar_t*, int count) { return count; };
  std::vector<Line> lines_{Line{0, 0}};
  size_t first_visible_ = 0;
};

}  // namespace platform::wm::edit
