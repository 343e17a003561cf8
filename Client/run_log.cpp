// The run log: one file a run, one line an event, each flushed at once.
// Depends on: the C++ library and the client's state; reports nothing on the
// terminal.

#include "Client/run_log.h"

#include <ctime>
#include <iomanip>
#include <sstream>

#include "Client/client_state.h"

namespace quillfern {

std::string current_timestamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local = {};
  localtime_r(&now, &local);  // two threads format time stamps
  std::ostringstream text;
  text << std::put_time(&local, "%Y%m%d-%H%M%S");
  return text.str();
}

std::string int_to_string(int n) {
  if (n == 0) return "0";
  std::string text;
  for (; n != 0; n /= 10) text.insert(text.begin(), char('0' + n % 10));
  return text;
}

void open_log() {
  log_file.open("logs/log-" + current_timestamp() + ".txt", std::ios::out | std::ios::trunc);
  write_log_line("Log has been created at " + current_timestamp() + ".");
}

void write_log_line(const std::string& line) {
  log_file << line << std::endl;
}

}  // namespace quillfern
