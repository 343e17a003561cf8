// The control tree's entry points used by the frame functions. Internal.
// Depends on: frond.h. The tree itself is in controls.cpp.
#pragma once

#include "graphics/frond.h"

namespace frond {

// Makes the process's root control once (destroyed at exit).
void make_root_control();

}  // namespace frond
