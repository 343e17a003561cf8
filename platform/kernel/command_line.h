// Command lines split into arguments as Windows programs split them.
// Depends on: nothing but the standard library. Starts no process.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::kernel {

// The documented rules of the Microsoft C runtime (and CommandLineToArgvW):
// blanks (space, tab) separate arguments; the first argument is the program
// name, in which double quotes only group; in the others a double quote
// starts or ends a quoted part, "" inside a quoted part is a literal quote
// that ends the part, and 2n backslashes before a double quote give n
// backslashes (2n + 1 give n and a literal quote); other backslashes are
// literal. Empty when the line holds only blanks.
std::vector<std::string> split_command_line(std::string_view line);

}  // namespace platform::kernel
