// Messages for the person at the terminal: start-up problems and changes in
// the state of the exchange and of the tools, one line each on stderr,
// prefixed "quillfern: ". The run log keeps exactly its own lines; these add
// to it, and a state that stays the same is reported once, not every cycle.
// Depends on the C++ library only.
#pragma once

#include <string>

namespace quillfern {

// Writes "quillfern: " + text and a line end to stderr.
void report(const std::string& text);
// Reports `problem` when it differs from `last` (and remembers it); a problem
// that went away reports `recovered` instead. An empty problem means none.
void report_change(std::string& last, const std::string& problem, const std::string& recovered);

}  // namespace quillfern
