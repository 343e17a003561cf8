// Argument checks and error conversion shared by every GDI+ flat function:
// no C++ exception and no null pointer ever leaves or enters the interface.
// Depends on: gdiplus.h. Checks no object's state.
#pragma once

#include <new>

#include "platform/gdiplus.h"

namespace Gdiplus::detail {

// True when any of the pointers is null.
template <typename... Pointers>
bool any_null(const Pointers*... pointers) {
  return ((pointers == nullptr) || ...);
}

// True when `value` is one of the enumerators from `first` to `last`.
template <typename Enum>
bool in_range(Enum value, Enum first, Enum last) {
  return static_cast<int>(value) >= static_cast<int>(first) && static_cast<int>(value) <= static_cast<int>(last);
}

// Runs `body` and reports an allocation failure inside it as OutOfMemory.
template <typename Body>
Status guard_allocation(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return OutOfMemory;
  }
}

}  // namespace Gdiplus::detail
