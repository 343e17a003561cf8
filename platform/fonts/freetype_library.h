// The process's one FreeType library. FreeType lets only one thread at a time
// create or destroy faces of a library, so those calls take `face_lock`.
// Depends on: FreeType's headers. Opens no faces itself.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <mutex>

namespace platform::fonts {

struct FreeTypeLibrary {
  FT_Library library = nullptr;  // null when FreeType could not start
  std::mutex face_lock;
};

// Started on first use and kept for the life of the process.
FreeTypeLibrary& freetype();

}  // namespace platform::fonts
