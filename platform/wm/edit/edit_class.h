// The built-in window class "EDIT".
// Depends on: the window manager's class registration.
#pragma once

namespace platform::wm::edit {

// Registers "EDIT" once per process; later calls do nothing.
void register_edit_class();

}  // namespace platform::wm::edit
