// The settings file: each line key=value with blanks trimmed; "server",
// "user" and "key" take any value, the other keys one of their words; a
// later line replaces an earlier one. The first fault ends the reading.
// Depends on: run_log (log lines), run_folder and terminal_report (the error's report). Does not check
// that the server answers or that the key is right.

#include "Client/settings.h"

#include <algorithm>
#include <fstream>

#include "Client/run_folder.h"
#include "Client/run_log.h"
#include "Client/terminal_report.h"

namespace quillfern {
namespace {

bool is_blank(unsigned char c) { return (c >= 9 && c <= 13) || c == 32; }

struct word_value {
  const char* word;
  int value;
};

constexpr word_value interval_words[] = {{"instant", 0}, {"brief", 1}, {"moderate", 2}, {"extended", 3}};
constexpr word_value resolution_words[] = {{"high", 1}, {"medium", 2}, {"low", 3}};
constexpr word_value animation_words[] = {{"off", 0}, {"on", 1}};

struct colour_name {
  const char* name;
  frond::argb_color value;
};

constexpr colour_name chat_colours[] = {
    {"red", 0xFFD71E22},   {"yellow", 0xFFFFFF67}, {"blue", 0xFF1D3CE9},  {"orange", 0xFFFF8D1C},
    {"green", 0xFF1B913E}, {"purple", 0xFF783DD2}, {"black", 0xFF4A565E}, {"white", 0xFFE9F7FF},
    {"gray", 0xFF8397A7},  {"pink", 0xFFFF63D4},   {"brown", 0xFF80582D}, {"cyan", 0xFF44FFF7},
    {"lime", 0xFF5BFE4B},  {"maroon", 0xFF6C2B3D}, {"rose", 0xFFFFD6EC},  {"banana", 0xFFFFFFBE},
    {"tan", 0xFF9F9989},   {"coral", 0xFFEC7578},
};

template <size_t N>
bool look_up_word(const word_value (&table)[N], const std::string& word, int* out) {
  for (const word_value& entry : table)
    if (word == entry.word) {
      *out = entry.value;
      return true;
    }
  return false;
}

}  // namespace

void trim(std::string& text) {
  const auto first = std::find_if_not(text.begin(), text.end(), [](char c) { return is_blank(c); });
  const auto last = std::find_if_not(text.rbegin(), text.rend(), [](char c) { return is_blank(c); }).base();
  text = first < last ? std::string(first, last) : std::string();
}

bool is_hex(std::string& text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

std::string parse_settings(std::istream& in, client_settings& out) {
  std::string line;
  while (std::getline(in, line)) {
    trim(line);
    if (line.empty()) continue;
    const std::string error = "Settings error: " + line;
    if (std::count(line.begin(), line.end(), '=') != 1) return error;
    const size_t equals = line.find('=');
    std::string key = line.substr(0, equals), value = line.substr(equals + 1);
    trim(key);
    trim(value);
    bool accepted = true;
    if (key == "server") {
      out.server = value;
    } else if (key == "user") {
      out.user = value;
    } else if (key == "key") {
      out.key = value;
    } else if (key == "interval") {
      accepted = look_up_word(interval_words, value, &out.interval);
    } else if (key == "resolution") {
      accepted = look_up_word(resolution_words, value, &out.resolution);
    } else if (key == "animation") {
      int on = 0;
      accepted = look_up_word(animation_words, value, &on);
      if (accepted) out.animation_enabled = on != 0;
    } else if (key == "chatcolor") {
      accepted = false;
      for (const colour_name& colour : chat_colours)
        if (value == colour.name) {
          out.chat_color = colour.value;
          accepted = true;
          break;
        }
    } else {
      accepted = false;
    }
    if (!accepted) return error;
  }
  if (out.server.empty()) return "Settings error: server invalid!";
  if (out.user.empty()) return "Settings error: user invalid!";
  if (out.key.size() != 48 || !is_hex(out.key)) return "Settings error: key invalid!";
  return {};
}

namespace {

// What to do about a settings error, for the terminal.
const char* settings_error_hint(const std::string& error) {
  if (error == "Settings error: server invalid!") return "server= must name the exchange server's host";
  if (error == "Settings error: user invalid!") return "user= must give your user name on the exchange server";
  if (error == "Settings error: key invalid!")
    return "key= must be 48 hexadecimal characters, the same for both partners";
  return "each line must be key=value with a known key and one of its values; comments are not allowed";
}

}  // namespace

bool load_settings() {
  std::ifstream file("settings.txt");
  const std::string error = parse_settings(file, settings);
  if (!error.empty()) {
    write_log_line(error);
    report("settings.txt in " + run_folder() + ": " + error + " (" + settings_error_hint(error) + ")");
    return false;
  }
  write_log_line("Settings has been successfully loaded.");
  return true;
}

}  // namespace quillfern
