// A realised font: one FreeType face at the font's size and transform (width
// stretch, synthetic italic shear, escapement rotation), and caches of its
// rendered glyphs and of its flattened outlines. A FreeType face serves one thread at a time, so the face
// and the cache sit behind the font's own lock; rendered glyphs never change
// and are shared, so they are used after the lock is released.
// Depends on: FreeType, face_metrics, outline, kernel (UTF-16 decoding). Draws into no surface: callers
// blend the coverage bitmaps.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>
#include <mutex>
#include <unordered_map>

#include "fonts/face_metrics.h"
#include "fonts/fonts.h"
#include "fonts/freetype_library.h"
#include "fonts/outline.h"
#include "kernel/codepage_convert.h"

namespace platform::fonts {
namespace {

// FreeType's own oblique slant.
constexpr double kItalicShear = 0x0366A / 65536.0;
// Rendered glyphs, and flattened outlines, kept per font; beyond this a cache starts over.
constexpr size_t kGlyphCacheBytes = 4u << 20;

FT_Fixed fixed(double v) { return static_cast<FT_Fixed>(std::lround(v * 65536.0)); }

// Copies FreeType's bitmap as 0..255 coverage, one byte per pixel.
void copy_bitmap(const FT_Bitmap& b, Glyph* g) {
  g->width = static_cast<int>(b.width);
  g->rows = static_cast<int>(b.rows);
  g->coverage.assign(size_t(b.width) * b.rows, 0);
  const bool mono = b.pixel_mode == FT_PIXEL_MODE_MONO;
  if (!mono && b.pixel_mode != FT_PIXEL_MODE_GRAY) return;
  // The pitch steps one row down, whichever way the rows are stored.
  const unsigned char* top = b.pitch < 0 ? b.buffer - ptrdiff_t(b.rows - 1) * b.pitch : b.buffer;
  const int grays = b.num_grays > 1 ? b.num_grays - 1 : 255;
  for (unsigned y = 0; y < b.rows; ++y) {
    const unsigned char* row = top + ptrdiff_t(y) * b.pitch;
    uint8_t* out = g->coverage.data() + size_t(y) * b.width;
    for (unsigned x = 0; x < b.width; ++x)
      out[x] = mono ? ((row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0) : static_cast<uint8_t>(row[x] * 255 / grays);
  }
}

}  // namespace

struct Font::Face {
  FT_Face face = nullptr;
  std::mutex lock;
  FT_Int32 load_flags = FT_LOAD_DEFAULT;
  FT_Render_Mode render_mode = FT_RENDER_MODE_NORMAL;
  double x_scale = 1.0;
  FT_Pos embolden = 0;  // 26.6 pixels
  int bold_extra = 0;   // pixels added to each advance by synthetic bold
  std::unordered_map<char32_t, GlyphRef> cache;
  size_t cached_bytes = 0;
  std::unordered_map<char32_t, OutlineRef> outline_cache;
  size_t outline_bytes = 0;

  ~Face() {
    std::lock_guard<std::mutex> guard(freetype().face_lock);
    FT_Done_Face(face);
  }

  // Called with `lock` held. A glyph that cannot be rendered is blank.
  GlyphRef render(char32_t code_point) {
    auto g = std::make_shared<Glyph>();
    const FT_UInt index = FT_Get_Char_Index(face, code_point);
    if (FT_Load_Glyph(face, index, load_flags) != 0) return g;
    FT_GlyphSlot slot = face->glyph;
    g->advance = static_cast<int>(std::lround(slot->linearHoriAdvance / 65536.0 * x_scale)) + bold_extra;
    if (embolden != 0 && slot->format == FT_GLYPH_FORMAT_OUTLINE) FT_Outline_Embolden(&slot->outline, embolden);
    if (FT_Render_Glyph(slot, render_mode) != 0) return g;
    g->left = slot->bitmap_left;
    g->top = slot->bitmap_top;
    copy_bitmap(slot->bitmap, g.get());
    return g;
  }

  // Called with `lock` held. Loaded without hinting, so the outline is the designed shape.
  Outline outline(char32_t code_point) {
    Outline out;
    const FT_UInt index = FT_Get_Char_Index(face, code_point);
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) != 0) return out;
    FT_GlyphSlot slot = face->glyph;
    out.advance = slot->linearHoriAdvance / 65536.0 * x_scale + bold_extra;
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return out;
    if (embolden != 0) FT_Outline_Embolden(&slot->outline, embolden);
    if (!flatten_outline(slot->outline, &out)) out.contours.clear();
    return out;
  }

  OutlineRef cached_outline(char32_t code_point) {
    const auto found = outline_cache.find(code_point);
    if (found != outline_cache.end()) return found->second;
    auto made = std::make_shared<const Outline>(outline(code_point));
    size_t bytes = sizeof(Outline);
    for (const auto& contour : made->contours) bytes += sizeof(contour) + contour.size() * sizeof(Outline::Point);
    if (outline_bytes + bytes > kGlyphCacheBytes) {
      outline_cache.clear();  // outlines in use elsewhere live on through their references
      outline_bytes = 0;
    }
    outline_cache.emplace(code_point, made);
    outline_bytes += bytes;
    return made;
  }

  GlyphRef glyph(char32_t code_point) {
    const auto found = cache.find(code_point);
    if (found != cache.end()) return found->second;
    GlyphRef g = render(code_point);
    if (cached_bytes + g->coverage.size() > kGlyphCacheBytes) {
      cache.clear();  // glyphs in use elsewhere live on through their references
      cached_bytes = 0;
    }
    cache.emplace(code_point, g);
    cached_bytes += g->coverage.size() + sizeof(Glyph);
    return g;
  }
};

Font::Font(std::unique_ptr<Face> face, const Metrics& metrics) : face_(std::move(face)), metrics_(metrics) {}

Font::~Font() = default;

std::unique_ptr<Font> Font::open(const LOGFONTW& record) {
  FaceChoice choice;
  FreeTypeLibrary& ft = freetype();
  if (ft.library == nullptr || !match_face(record, &choice)) return nullptr;
  auto face = std::make_unique<Face>();
  {
    std::lock_guard<std::mutex> guard(ft.face_lock);
    if (FT_New_Face(ft.library, choice.file.c_str(), choice.index, &face->face) != 0) face->face = nullptr;
  }
  if (face->face == nullptr || !FT_IS_SCALABLE(face->face)) return nullptr;

  FaceSize size;
  const Metrics metrics = face_metrics(face->face, record, choice, &size);
  if (FT_Set_Char_Size(face->face, 0, static_cast<FT_F26Dot6>(std::lround(size.em * 64)), 72, 72) != 0) return nullptr;

  // Stretch, then slant, then rotate: x' = xx x + xy y, y' = yx x + yy y, y up.
  const double c = std::cos(metrics.escapement), s = std::sin(metrics.escapement);
  const double sx = size.x_scale, shear = choice.synthetic_italic ? kItalicShear : 0.0;
  FT_Matrix matrix{fixed(c * sx), fixed(c * shear - s), fixed(s * sx), fixed(s * shear + c)};
  const bool transformed = matrix.xx != 0x10000 || matrix.xy != 0 || matrix.yx != 0 || matrix.yy != 0x10000;
  FT_Set_Transform(face->face, &matrix, nullptr);

  const bool mono = record.lfQuality == NONANTIALIASED_QUALITY;
  face->render_mode = mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL;
  // Hinting is for upright text; transformed outlines are drawn as designed.
  face->load_flags = FT_LOAD_NO_BITMAP |
                     (transformed ? FT_LOAD_NO_HINTING : mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_LIGHT);
  face->x_scale = sx;
  if (choice.synthetic_bold) {
    face->embolden = std::max<FT_Pos>(64, static_cast<FT_Pos>(std::lround(size.em * 64 / 24)));
    face->bold_extra = 1;
  }
  return std::unique_ptr<Font>(new Font(std::move(face), metrics));
}

std::vector<GlyphRef> Font::glyphs(const char32_t* text, size_t count) const {
  std::vector<GlyphRef> out;
  out.reserve(count);
  std::lock_guard<std::mutex> guard(face_->lock);
  for (size_t i = 0; i < count; ++i) out.push_back(face_->glyph(text[i]));
  return out;
}

std::vector<OutlineRef> Font::outlines(const char32_t* text, size_t count) const {
  std::vector<OutlineRef> out;
  out.reserve(count);
  std::lock_guard<std::mutex> guard(face_->lock);
  for (size_t i = 0; i < count; ++i) out.push_back(face_->cached_outline(text[i]));
  return out;
}

std::u32string code_points(const wchar_t* text, size_t count) {
  return kernel::code_points_of_wide(text, count, true);
}

}  // namespace platform::fonts
