// The client's run folder: the working directory holding settings.txt, logs/,
// temp/, bin/ (the tools) and font/ (the glyph images).
// Depends on: std::filesystem; creates none of the folders.
#pragma once

#include <string>

namespace quillfern {

// The absolute path of the working directory, for messages.
std::string run_folder();
// Reports on the terminal each part of the run folder that is missing. The
// client runs on regardless, as it always has (a missing settings file reads
// as empty, a missing logs folder loses the log).
void check_run_folder();
// Files the client and its tools create from now on are readable by the user
// alone: the temporary pictures hold screen contents.
void keep_new_files_private();
// Removes the temporary pictures of the last cycle.
void remove_temporary_pictures();

}  // namespace quillfern
