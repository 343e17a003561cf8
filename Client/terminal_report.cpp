// Lines on stderr for the person who started the client. Depends on nothing
// but the C++ library; does not write the run log.

#include "Client/terminal_report.h"

#include <cstdio>

namespace quillfern {

void report(const std::string& text) {
  std::fprintf(stderr, "quillfern: %s\n", text.c_str());
  std::fflush(stderr);
}

void report_change(std::string& last, const std::string& problem, const std::string& recovered) {
  if (problem == last) return;
  report(problem.empty() ? recovered : problem);
  last = problem;
}

}  // namespace quillfern
