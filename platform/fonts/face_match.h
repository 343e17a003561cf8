// Choosing an installed face for a Windows font request, as the Windows font
// mapper would: the face name if it is installed, else the usual stand-ins
// for well-known Windows faces, else a generic family from the pitch and
// family bits.
// Depends on: the LOGFONT record of gdi32.h. Opens no files.
#pragma once

#include <string>
#include <vector>

#include "platform/gdi32.h"

namespace platform::fonts {

struct FaceChoice {
  std::string file;
  int index = 0;
  int weight = FW_NORMAL;         // the weight asked for (FW_*)
  bool synthetic_bold = false;    // asked bold, the face is not
  bool synthetic_italic = false;  // asked italic, the face is upright
};

// Family names to try, best first (UTF-8): the face name, its stand-ins, a generic family.
std::vector<std::string> candidate_families(const LOGFONTW& record);

// True when `name` is a face the mapper knows by name: a well-known Windows
// face of its table or an installed family (compared without regard to case).
bool family_known(const wchar_t* name);

// The installed face for `record`; false when fontconfig finds none.
bool match_face(const LOGFONTW& record, FaceChoice* out);

}  // namespace platform::fonts
