// The edit control's text apart from any window: typing scripts against the
// text and caret they must leave (6 pixels a unit, lines of 10 units, 3
// visible lines), word wrap, and the caret's moves over whole characters.
// Depends on: wm/edit/edit_text only (no window, no display).
#include <gtest/gtest.h>

#include "wm/edit/edit_text.h"

namespace {

using platform::wm::edit::EditText;

EditText field(bool auto_vscroll = false, size_t limit = 0) {
  EditText t(true, auto_vscroll);
  t.set_layout(60, 3, [](const wchar_t*, int count) { return 6 * count; });
  if (limit) t.set_limit(limit);
  return t;
}

// '\b' backspace, '<' '>' '^' 'v' arrows, 'H' Home, 'E' End, 'D' Delete; anything else is typed.
void run(EditText& t, const std::wstring& script) {
  for (wchar_t c : script) {
    switch (c) {
      case L'\b': t.backspace(); break;
      case L'<': t.move_left(); break;
      case L'>': t.move_right(); break;
      case L'^': t.move_up(); break;
      case L'v': t.move_down(); break;
      case L'H': t.move_home(); break;
      case L'E': t.move_end(); break;
      case L'D': t.erase_forward(); break;
      case L'\n': t.insert(L"\r\n"); break;
      default: t.insert(std::wstring(1, c)); break;
    }
  }
}

TEST(EditText, TypingScripts) {
  struct Case {
    const wchar_t* script;
    size_t limit;
    const wchar_t* text;
    size_t caret;
  } cases[] = {
      {L"abc", 0, L"abc", 3},
      {L"ab\ncd", 0, L"ab\r\ncd", 6},
      {L"ab\n\b", 0, L"ab", 2},           // Backspace takes the whole CR LF
      {L"ab\ncd<<<D", 0, L"abcd", 2},     // so does Delete, and Left steps over it
      {L"abcdef", 5, L"abcde", 5},        // the limit counts units
      {L"abc\n", 4, L"abc", 3},           // half a CR LF never goes in
      {L"a\nb\nc\nd", 0, L"a\r\nb\r\ncd", 8},  // no fourth line: three are visible
      {L"abc\nde^E", 0, L"abc\r\nde", 3},  // Up keeps the column, End goes to the line's end
      {L"abc\ndefgv<H", 0, L"abc\r\ndefg", 5},
      {L"\xD83D\xDE00x<\b", 0, L"x", 0},  // a surrogate pair is one character
  };
  for (const Case& c : cases) {
    EditText t = field(false, c.limit);
    run(t, c.script);
    EXPECT_EQ(t.text(), c.text) << "script " << testing::PrintToString(std::wstring(c.script));
    EXPECT_EQ(t.caret(), c.caret) << "script " << testing::PrintToString(std::wstring(c.script));
  }
}

TEST(EditText, WordWrapBreaksBetweenWordsAndKeepsSpacesAtTheEnd) {
  EditText t = field();
  t.set_text(L"hello world foo\r\n\r\nabcdefghijklmn");
  std::vector<std::wstring> shown;
  for (const auto& line : t.lines()) shown.push_back(t.text().substr(line.start, line.length));
  EXPECT_EQ(shown, (std::vector<std::wstring>{L"hello ", L"world foo", L"", L"abcdefghij", L"klmn"}));
  t.place(13, 6, 12);  // row 0 of 12-pixel lines, nearest to x 13: after "he"
  EXPECT_EQ(t.caret(), 2u);
  EXPECT_EQ(t.caret_line(), 0u);
  t.place(13, 12, 12);  // row 1: after "wo"
  EXPECT_EQ(t.caret(), 8u);
  EXPECT_EQ(t.caret_line(), 1u);
  EXPECT_EQ(t.caret_x(), 12);
}

TEST(EditText, AutoScrollLetsTheTextGrowAndFollowsTheCaret) {
  EditText t = field(true);
  run(t, L"a\nb\nc\nd");
  EXPECT_EQ(t.text(), L"a\r\nb\r\nc\r\nd");
  EXPECT_EQ(t.first_visible(), 1u);
}

}  // namespace
