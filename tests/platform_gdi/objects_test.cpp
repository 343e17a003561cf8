// GDI objects: a memory DC's documented defaults and device caps, selection
// and deletion rules, handle validation, the records GetObject returns, pen
// argument rules, and use from several threads at once.
// Depends on: gdi_test_util.h.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <cwchar>
#include <thread>

#include "gdi_test_util.h"

using gdi_test::TestDib;

namespace {

// Each setter returns the previous value, so the first call shows the default.
TEST(MemoryDc, StartsWithTheDocumentedDefaults) {
  const HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
  BITMAP bm{};
  ASSERT_EQ(GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 1);
  EXPECT_EQ(bm.bmHeight, 1);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(SetBkColor(dc, RGB(1, 2, 3)), RGB(255, 255, 255));
  EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
  EXPECT_EQ(SetBkMode(dc, 7), 0);
  EXPECT_EQ(SetTextColor(dc, RGB(9, 9, 9)), 0u);
  EXPECT_EQ(SetROP2(dc, R2_XORPEN), R2_COPYPEN);
  EXPECT_EQ(SetROP2(dc, 0), 0);
  EXPECT_EQ(SetStretchBltMode(dc, COLORONCOLOR), BLACKONWHITE);
  float old = 0;
  EXPECT_TRUE(SetMiterLimit(dc, 4.0f, &old));
  EXPECT_EQ(old, 10.0f);
  EXPECT_FALSE(SetMiterLimit(dc, 0.5f, nullptr));
  POINT p{1, 1};
  EXPECT_TRUE(MoveToEx(dc, 5, -6, &p));
  EXPECT_EQ(p.x, 0);  // the current position starts at (0, 0)
  EXPECT_EQ(p.y, 0);
  const struct { int index, value; } caps[] = {{HORZRES, 1920}, {VERTRES, 1080}, {BITSPIXEL, 32}, {PLANES, 1},
                                               {LOGPIXELSY, 96}, {SIZEPALETTE, 0}, {NUMCOLORS, -1}};
  for (const auto& c : caps) EXPECT_EQ(GetDeviceCaps(dc, c.index), c.value) << c.index;
  EXPECT_EQ(GetDeviceCaps(dc, RASTERCAPS) & (RC_PALETTE | RC_STRETCHBLT), RC_STRETCHBLT);
  EXPECT_TRUE(DeleteDC(CreateCompatibleDC(dc)));
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_EQ(CreateCompatibleDC(dc), nullptr);
  EXPECT_EQ(SetBkColor(dc, 0), CLR_INVALID);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 0);
}

TEST(Objects, SelectionAndDeletionRules) {
  TestDib a(2, 2);
  const HDC other = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(other, a.bitmap), nullptr);  // already selected into a.dc
  EXPECT_FALSE(DeleteObject(a.bitmap));               // selected objects are not deleted

  const HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 1, 1));
  EXPECT_EQ(SelectObject(other, pen), GetStockObject(BLACK_PEN));
  EXPECT_EQ(SelectObject(a.dc, pen), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetCurrentObject(other, OBJ_PEN), pen);
  EXPECT_FALSE(DeleteObject(pen));
  EXPECT_EQ(SelectObject(a.dc, GetStockObject(BLACK_PEN)), pen);
  EXPECT_FALSE(DeleteObject(pen));  // still in `other`
  EXPECT_TRUE(DeleteDC(other));     // frees the DC, not its objects
  EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_EQ(GetObjectType(pen), 0u);
  EXPECT_EQ(SelectObject(a.dc, pen), nullptr);

  const HRGN region = CreateRectRgn(0, 0, 1, 1);
  EXPECT_EQ(SelectObject(a.dc, region), reinterpret_cast<HGDIOBJ>(SIMPLEREGION));
  EXPECT_TRUE(DeleteObject(region));  // the DC keeps its own copy

  // Stock objects survive DeleteObject, and foreign or null handles fail cleanly.
  EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(GetObjectType(GetStockObject(WHITE_BRUSH)), static_cast<DWORD>(OBJ_BRUSH));
  int local = 0;
  for (HGDIOBJ bad : {static_cast<HGDIOBJ>(nullptr), static_cast<HGDIOBJ>(&local), reinterpret_cast<HGDIOBJ>(0x10),
                      reinterpret_cast<HGDIOBJ>(~uintptr_t{0})}) {
    EXPECT_FALSE(DeleteObject(bad));
    EXPECT_EQ(GetObjectW(bad, 0, nullptr), 0);
    EXPECT_EQ(SelectObject(a.dc, bad), nullptr);
    EXPECT_EQ(SelectObject(static_cast<HDC>(bad), GetStockObject(BLACK_PEN)), nullptr);
  }
  EXPECT_FALSE(DeleteObject(a.dc));  // DCs go through DeleteDC
  EXPECT_EQ(GetStockObject(9), nullptr);
  EXPECT_EQ(GetStockObject(-1), nullptr);
}

TEST(Objects, PenRecordsAndArgumentRules) {
  LOGPEN lp{};
  const HPEN dashed = CreatePen(PS_DASH, 3, RGB(4, 5, 6));
  ASSERT_EQ(GetObjectW(dashed, sizeof lp, &lp), static_cast<int>(sizeof lp));
  EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_SOLID));  // wide dashed pens are solid
  EXPECT_EQ(GetObjectW(dashed, sizeof lp - 1, &lp), 0);
  EXPECT_EQ(CreatePen(PS_USERSTYLE, 1, 0), nullptr);

  const LOGBRUSH solid{BS_SOLID, RGB(10, 20, 30), 0};
  const DWORD dashes[3] = {4, 2, 1};
  const DWORD geometric = PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT | PS_JOIN_MITER;
  const HPEN ext = ExtCreatePen(geometric, 5, &solid, 3, dashes);
  ASSERT_NE(ext, nullptr);
  EXPECT_EQ(GetObjectType(ext), static_cast<DWORD>(OBJ_EXTPEN));
  const int size = GetObjectW(ext, 0, nullptr);
  EXPECT_EQ(size, static_cast<int>(offsetof(EXTLOGPEN, elpStyleEntry) + 3 * sizeof(DWORD)));
  std::vector<unsigned char> buffer(static_cast<size_t>(size) + 8, 0xEE);
  ASSERT_EQ(GetObjectW(ext, size, buffer.data()), size);
  EXPECT_EQ(buffer[static_cast<size_t>(size)], 0xEE);  // nothing past the record
  EXPECT_EQ(GetObjectW(ext, size - 1, buffer.data()), 0);

  EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 5, &solid, 0, nullptr), nullptr);
  EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 5, &solid, 3, dashes), nullptr);
  EXPECT_EQ(ExtCreatePen(PS_COSMETIC | PS_SOLID, 2, &solid, 0, nullptr), nullptr);
  EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_ALTERNATE, 1, &solid, 0, nullptr), nullptr);
  EXPECT_EQ(ExtCreatePen(PS_COSMETIC | PS_INSIDEFRAME, 1, &solid, 0, nullptr), nullptr);
  EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | 0x00000300, 1, &solid, 0, nullptr), nullptr);
  EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC, 1, nullptr, 0, nullptr), nullptr);
  const HPEN cosmetic = ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &solid, 0, nullptr);
  EXPECT_NE(cosmetic, nullptr);
  for (HPEN p : {dashed, ext, cosmetic}) EXPECT_TRUE(DeleteObject(p));
}

TEST(Objects, BrushRulesAndFontRecords) {
  EXPECT_EQ(CreateHatchBrush(6, 0), nullptr);
  const LOGBRUSH bad{BS_PATTERN, 0, 0};
  EXPECT_EQ(CreateBrushIndirect(&bad), nullptr);
  const LOGBRUSH hollow{BS_NULL, 0, 0};
  EXPECT_EQ(GetObjectType(CreateBrushIndirect(&hollow)), static_cast<DWORD>(OBJ_BRUSH));

  LOGFONTW w{};
  w.lfHeight = -13;
  w.lfWeight = FW_BOLD;
  w.lfItalic = 1;
  for (int i = 0; i < LF_FACESIZE; ++i) w.lfFaceName[i] = L'a' + (i % 26);  // no terminator
  const HFONT font = CreateFontIndirectW(&w);
  LOGFONTW back{};
  ASSERT_EQ(GetObjectW(font, sizeof back, &back), static_cast<int>(sizeof back));
  EXPECT_EQ(std::wcslen(back.lfFaceName), 31u);
  EXPECT_EQ(back.lfFaceName[30], L'a' + 4);
  LOGFONTA a{};
  ASSERT_EQ(GetObjectA(font, sizeof a, &a), static_cast<int>(sizeof a));
  EXPECT_EQ(std::strlen(a.lfFaceName), 31u);

  // ANSI is UTF-8 here: a face of 20 two-byte characters is cut to 15 whole ones.
  std::wcscpy(w.lfFaceName, L"\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9"
                            L"\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9");
  const HFONT accents = CreateFontIndirectW(&w);
  ASSERT_EQ(GetObjectA(accents, sizeof a, &a), static_cast<int>(sizeof a));
  EXPECT_EQ(std::strlen(a.lfFaceName), 30u);
  LOGFONTA from_ansi{};
  from_ansi.lfWeight = FW_NORMAL;
  std::strcpy(from_ansi.lfFaceName, "Caf\xc3\xa9 Sans");
  const HFONT ansi = CreateFontIndirectA(&from_ansi);
  ASSERT_EQ(GetObjectW(ansi, sizeof back, &back), static_cast<int>(sizeof back));
  EXPECT_STREQ(back.lfFaceName, L"Caf\u00e9 Sans");
  for (HFONT f : {font, accents, ansi}) EXPECT_TRUE(DeleteObject(f));
  EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
}

// Different DCs and bitmaps on different threads; objects made and deleted anywhere.
TEST(Objects, UsableFromSeveralThreadsAtOnce) {
  std::vector<std::thread> threads;
  std::vector<int> failures(8, 0);
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([t, &failures] {
      TestDib src(32, 32), dst(32, 32);
      src.randomize(static_cast<uint32_t>(t));
      for (int i = 0; i < 200; ++i) {
        const HBRUSH brush = CreateSolidBrush(RGB(t, i, 0));
        const HGDIOBJ old = SelectObject(dst.dc, brush);
        if (!StretchBlt(dst.dc, 0, 0, 32, 32, src.dc, 0, 0, 16 + t, 16, SRCCOPY)) ++failures[t];
        if (!PatBlt(dst.dc, 0, 0, 4, 4, PATCOPY) || dst.get(3, 3) != (static_cast<uint32_t>(t) << 16 | i << 8)) {
          ++failures[t];
        }
        SelectObject(dst.dc, old);
        if (!DeleteObject(brush) || DeleteObject(brush)) ++failures[t];
      }
    });
  }
  for (auto& th : threads) th.join();
  for (int t = 0; t < 8; ++t) EXPECT_EQ(failures[t], 0) << "thread " << t;
}

}  // namespace
