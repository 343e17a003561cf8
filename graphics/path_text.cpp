// Text added to paths as glyph outlines, in a font family looked up by name
// ("SimSun" when none is given) with the shared typographic string format.
// 8-bit text and typefaces are converted through the library's code page;
// a byte count converts exactly that many bytes.
// Depends on: path objects, text (conversion, the shared string format).

#include <string>

#include "graphics/path_internal.h"
#include "graphics/text_internal.h"

using namespace Gdiplus;

namespace frond {

void frond_path_addtext(frond_path* path, float x, float y, const wchar_t* text, float height, int length,
                        const wchar_t* typeface, int fontStyle) {
  if (length == 0 || text == nullptr) return;
  on_path(path, [&](GpPath* p) {
    const GpStringFormat* format = typographic_format().object;
    const wchar_t* name = typeface != nullptr && typeface[0] != 0 ? typeface : L"SimSun";
    GpFontFamily* family = nullptr;
    Status status = GdipCreateFontFamilyFromName(name, nullptr, &family);
    if (status != Ok) return status;
    const GpRectF layout{x, y, 0, 0};
    status = GdipAddPathString(p, text, length, family, fontStyle & 15, height, &layout, format);
    GdipDeleteFontFamily(family);
    return status;
  });
}

void frond_path_addtext(frond_path* path, float x, float y, const char* text, float height, int length,
                        const char* typeface, int fontStyle) {
  const std::wstring face = mb_to_wide(typeface);
  const std::wstring wide = platform::multibyte_to_wide(getcodepage(), text, length);
  const int wide_length = length == -1 ? -1 : int(wide.size());
  frond_path_addtext(path, x, y, text != nullptr ? wide.c_str() : nullptr, height, wide_length,
                     typeface != nullptr ? face.c_str() : nullptr, fontStyle);
}

}  // namespace frond
