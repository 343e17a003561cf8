// Face matching over fontconfig. Windows face names are compared without
// regard to case; names Windows programs take for granted map onto the
// generic families fontconfig resolves to whatever is installed (DejaVu at
// least). fontconfig is called under one lock: matching happens only when a
// font is first realised.
// Depends on: fontconfig. Loads no faces and renders nothing.
#include "fonts/face_match.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cwctype>
#include <mutex>

#include "platform/kernel32.h"

namespace platform::fonts {
namespace {

struct Alias {
  const wchar_t* name;      // lower case
  const char* substitutes;  // families tried before the generic one, ';'-separated
  const char* generic;
  bool bold;                // a face that only exists in bold
};

// SimSun and its kin are fixed-pitch for Latin text (half an em per letter).
constexpr Alias kAliases[] = {
    {L"simsun", "Noto Sans Mono CJK SC;AR PL UMing CN", "monospace", false},
    {L"nsimsun", "Noto Sans Mono CJK SC;AR PL UMing CN", "monospace", false},
    {L"\u5b8b\u4f53", "Noto Sans Mono CJK SC;AR PL UMing CN", "monospace", false},
    {L"\u65b0\u5b8b\u4f53", "Noto Sans Mono CJK SC;AR PL UMing CN", "monospace", false},
    {L"simhei", "Noto Sans Mono CJK SC;WenQuanYi Zen Hei Mono", "monospace", false},
    {L"\u9ed1\u4f53", "Noto Sans Mono CJK SC;WenQuanYi Zen Hei Mono", "monospace", false},
    {L"ms gothic", "Noto Sans Mono CJK JP", "monospace", false},
    {L"ms mincho", "Noto Sans Mono CJK JP", "monospace", false},
    {L"courier", "Liberation Mono", "monospace", false},
    {L"courier new", "Liberation Mono", "monospace", false},
    {L"consolas", "", "monospace", false},
    {L"lucida console", "", "monospace", false},
    {L"fixedsys", "", "monospace", false},
    {L"terminal", "", "monospace", false},
    {L"system", "", "sans-serif", true},
    {L"tahoma", "", "sans-serif", false},
    {L"arial", "Liberation Sans", "sans-serif", false},
    {L"helvetica", "", "sans-serif", false},
    {L"verdana", "", "sans-serif", false},
    {L"segoe ui", "", "sans-serif", false},
    {L"ms sans serif", "", "sans-serif", false},
    {L"ms shell dlg", "", "sans-serif", false},
    {L"ms shell dlg 2", "", "sans-serif", false},
    {L"microsoft yahei", "Noto Sans CJK SC;WenQuanYi Zen Hei", "sans-serif", false},
    {L"\u5fae\u8f6f\u96c5\u9ed1", "Noto Sans CJK SC;WenQuanYi Zen Hei", "sans-serif", false},
    {L"times new roman", "Liberation Serif", "serif", false},
    {L"times", "", "serif", false},
    {L"ms serif", "", "serif", false},
    {L"georgia", "", "serif", false},
};

std::wstring lower(const wchar_t* face) {
  std::wstring out;
  for (size_t i = 0; i < LF_FACESIZE && face[i] != 0; ++i) out.push_back(static_cast<wchar_t>(std::towlower(face[i])));
  return out;
}

const Alias* find_alias(const std::wstring& name) {
  for (const Alias& a : kAliases)
    if (name == a.name) return &a;
  return nullptr;
}

// The generic family of the pitch and family bits (FF_* in the high nibble).
const char* generic_family(BYTE pitch_and_family) {
  switch (pitch_and_family & 0xF0) {
    case FF_ROMAN: return "serif";
    case FF_MODERN: return "monospace";
    default: break;
  }
  return (pitch_and_family & 0x03) == FIXED_PITCH ? "monospace" : "sans-serif";
}

int requested_weight(const LOGFONTW& record, const Alias* alias) {
  int weight = record.lfWeight <= 0 ? FW_NORMAL : std::min<int>(record.lfWeight, 1000);
  if (alias != nullptr && alias->bold) weight = std::max(weight, FW_BOLD);
  return weight;
}

std::mutex& fontconfig_lock() {
  static std::mutex lock;
  return lock;
}

}  // namespace

std::vector<std::string> candidate_families(const LOGFONTW& record) {
  const std::wstring name = lower(record.lfFaceName);
  const Alias* alias = find_alias(name);
  std::vector<std::string> out;
  if (!name.empty()) out.push_back(wide_to_multibyte(CP_UTF8, record.lfFaceName, static_cast<int>(name.size())));
  if (alias != nullptr) {
    const std::string subs = alias->substitutes;
    for (size_t start = 0; start < subs.size();) {
      const size_t end = std::min(subs.find(';', start), subs.size());
      out.push_back(subs.substr(start, end - start));
      start = end + 1;
    }
  }
  out.push_back(alias != nullptr ? alias->generic : generic_family(record.lfPitchAndFamily));
  return out;
}

bool family_known(const wchar_t* name) {
  const std::wstring lowered = lower(name);
  if (lowered.empty()) return false;
  if (find_alias(lowered) != nullptr) return true;
  const std::string family = wide_to_multibyte(CP_UTF8, name, static_cast<int>(lowered.size()));
  std::lock_guard<std::mutex> guard(fontconfig_lock());
  if (!FcInit()) return false;
  FcPattern* pattern = FcPatternCreate();
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
  FcFontSet* fonts = nullptr;
  if (pattern != nullptr && objects != nullptr) {
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    fonts = FcFontList(nullptr, pattern, objects);
  }
  const bool found = fonts != nullptr && fonts->nfont > 0;
  if (fonts != nullptr) FcFontSetDestroy(fonts);
  if (objects != nullptr) FcObjectSetDestroy(objects);
  if (pattern != nullptr) FcPatternDestroy(pattern);
  return found;
}

bool match_face(const LOGFONTW& record, FaceChoice* out) {
  const Alias* alias = find_alias(lower(record.lfFaceName));
  const int weight = requested_weight(record, alias);
  const bool italic = record.lfItalic != 0;

  std::lock_guard<std::mutex> guard(fontconfig_lock());
  if (!FcInit()) return false;
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return false;
  for (const std::string& family : candidate_families(record))
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_OUTLINE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) return false;

  FcChar8* file = nullptr;
  int index = 0, face_weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
  const bool found = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr;
  if (found) {
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FcPatternGetInteger(match, FC_WEIGHT, 0, &face_weight);
    FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    out->file = reinterpret_cast<const char*>(file);
    out->index = index;
    out->weight = weight;
    out->synthetic_bold = weight >= FW_SEMIBOLD && face_weight < FC_WEIGHT_DEMIBOLD;
    out->synthetic_italic = italic && slant == FC_SLANT_ROMAN;
  }
  FcPatternDestroy(match);
  return found;
}

}  // namespace platform::fonts

#if defined(__SANITIZE_ADDRESS__)
// fontconfig keeps some of what it allocates while reading its configuration
// for the life of the process; the leak checker is told so.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif
