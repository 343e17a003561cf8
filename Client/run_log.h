// The run log "logs/log-<time stamp>.txt" and the client's time stamps.
// Depends on the C++ library only.
#pragma once

#include <string>

namespace quillfern {

// Local time now as "%Y%m%d-%H%M%S".
std::string current_timestamp();
// Decimal digits of n (n >= 0).
std::string int_to_string(int n);
// Opens the run's log file and writes its first line; a log that cannot be
// created is silently not written.
void open_log();
// Writes one line and flushes it at once.
void write_log_line(const std::string& line);

}  // namespace quillfern
