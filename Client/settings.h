// "settings.txt": key=value lines read once at start-up.
// Depends on: the client's state (the settings record); writes nothing.
#pragma once

#include <istream>
#include <string>

#include "Client/client_state.h"

namespace quillfern {

// Removes leading and trailing blanks (bytes 9 to 13 and 32) in place.
void trim(std::string& text);
// True when every byte is a hexadecimal digit; upper-case letters are
// lower-cased in place up to the first byte that is not (so "" is true).
bool is_hex(std::string& text);

// Reads settings lines into `out`. Returns the log line that ends the run on
// a fault, or an empty string when the settings are complete.
std::string parse_settings(std::istream& in, client_settings& out);

// Reads "settings.txt" into `settings`, writing the outcome to the log.
// False when the run must end.
bool load_settings();

}  // namespace quillfern
