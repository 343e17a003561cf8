// The process-wide cache of realised fonts, keyed by the whole LOGFONT (face
// name without regard to case). Realising happens under the cache lock, so a
// font is made once however many threads ask for it at the same moment.
// When the cache is full, fonts nobody else holds are dropped.
// Depends on: font.cpp (realising one font). Renders nothing.
#include <cwctype>
#include <map>
#include <mutex>
#include <string>
#include <tuple>

#include "fonts/fonts.h"

namespace platform::fonts {
namespace {

// Beyond this many fonts, those no caller holds are dropped before another is added.
constexpr size_t kMaxCachedFonts = 64;

struct Key {
  std::tuple<LONG, LONG, LONG, LONG, LONG, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE> fields;
  std::wstring face;

  explicit Key(const LOGFONTW& f)
      : fields(f.lfHeight, f.lfWidth, f.lfEscapement, f.lfOrientation, f.lfWeight, f.lfItalic, f.lfUnderline,
               f.lfStrikeOut, f.lfCharSet, f.lfOutPrecision, f.lfClipPrecision, f.lfQuality, f.lfPitchAndFamily) {
    for (size_t i = 0; i < LF_FACESIZE && f.lfFaceName[i] != 0; ++i)
      face.push_back(static_cast<wchar_t>(std::towlower(f.lfFaceName[i])));
  }
  bool operator<(const Key& o) const { return std::tie(fields, face) < std::tie(o.fields, o.face); }
};

struct Cache {
  std::mutex lock;
  std::map<Key, std::shared_ptr<const Font>> fonts;
};

// Never destroyed: other threads may draw text while the process exits.
Cache& cache() {
  static Cache* const instance = new Cache;
  return *instance;
}

}  // namespace

std::shared_ptr<const Font> realise(const LOGFONTW& record) {
  Cache& c = cache();
  const Key key(record);
  std::lock_guard<std::mutex> guard(c.lock);
  const auto found = c.fonts.find(key);
  if (found != c.fonts.end()) return found->second;
  std::shared_ptr<const Font> font = Font::open(record);
  if (c.fonts.size() >= kMaxCachedFonts) {
    for (auto it = c.fonts.begin(); it != c.fonts.end();) it = it->second.use_count() <= 1 ? c.fonts.erase(it) : ++it;
  }
  c.fonts.emplace(key, font);
  return font;
}

}  // namespace platform::fonts
