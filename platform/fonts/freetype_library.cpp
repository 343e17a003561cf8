// FreeType start-up, once per process. The library is never released: fonts
// may be in use on other threads until the process ends.
// Depends on: FreeType. Opens no faces itself.
#include "fonts/freetype_library.h"

namespace platform::fonts {

FreeTypeLibrary& freetype() {
  static FreeTypeLibrary* const instance = [] {
    auto* lib = new FreeTypeLibrary;
    if (FT_Init_FreeType(&lib->library) != 0) lib->library = nullptr;
    return lib;
  }();
  return *instance;
}

}  // namespace platform::fonts
