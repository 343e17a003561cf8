// Splitting a Windows command line into the argument vector a program sees.
// Depends on: nothing but the standard library. Starts no process.
#include "kernel/command_line.h"

namespace platform::kernel {
namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

void skip_blanks(std::string_view line, size_t* i) {
  while (*i < line.size() && blank(line[*i])) ++*i;
}

std::string program_name(std::string_view line, size_t* i) {
  std::string name;
  bool quoted = false;
  for (; *i < line.size() && (quoted || !blank(line[*i])); ++*i) {
    if (line[*i] == '"') {
      quoted = !quoted;
    } else {
      name += line[*i];
    }
  }
  return name;
}

std::string argument(std::string_view line, size_t* i) {
  std::string out;
  bool quoted = false;
  while (*i < line.size() && (quoted || !blank(line[*i]))) {
    const char c = line[*i];
    if (c == '\\') {
      size_t count = 0;
      for (; *i < line.size() && line[*i] == '\\'; ++*i) ++count;
      const bool before_quote = *i < line.size() && line[*i] == '"';
      out.append(before_quote ? count / 2 : count, '\\');
      if (before_quote && count % 2 == 1) {
        out += '"';
        ++*i;
      }
    } else if (c == '"') {
      if (quoted && *i + 1 < line.size() && line[*i + 1] == '"') {
        out += '"';
        ++*i;
      }
      quoted = !quoted;
      ++*i;
    } else {
      out += c;
      ++*i;
    }
  }
  return out;
}

}  // namespace

std::vector<std::string> split_command_line(std::string_view line) {
  std::vector<std::string> out;
  size_t i = 0;
  skip_blanks(line, &i);
  if (i == line.size()) return out;
  out.push_back(program_name(line, &i));
  for (skip_blanks(line, &i); i < line.size(); skip_blanks(line, &i)) out.push_back(argument(line, &i));
  return out;
}

}  // namespace platform::kernel
