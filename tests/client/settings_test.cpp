// The settings file: documented defaults, every word and colour name, blanks
// trimmed around keys and values (inner ones kept), CR LF line ends, later
// lines replacing earlier ones, the key lower-cased, and every error line
// with the first fault winning.
// Depends on: the client's settings parser; reads no file.
#include <gtest/gtest.h>

#include <sstream>

#include "Client/settings.h"

using namespace quillfern;

namespace {

constexpr const char* good_key = "0123456789abcdef0123456789abcdef0123456789abcdef";

std::string parse(const std::string& text, client_settings* out = nullptr) {
  client_settings local;
  std::istringstream in(text);
  return parse_settings(in, out ? *out : local);
}

std::string valid(const std::string& extra = "") {
  return std::string("user=alice\nkey=") + good_key + "\n" + extra;
}

TEST(Settings, DefaultsAndValues) {
  client_settings s;
  EXPECT_EQ(parse(valid(), &s), "");
  EXPECT_EQ(s.server, "localhost");
  EXPECT_EQ(s.interval, 1);
  EXPECT_EQ(s.resolution, 1);
  EXPECT_FALSE(s.animation_enabled);
  EXPECT_EQ(s.chat_color, 0xFF5BFE4Bu);

  client_settings t;
  EXPECT_EQ(parse("user \v=  Ann  Lee \f\nkey=0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF\r\n"
                  "server = exchange.example \r\ninterval=extended\r\nresolution=low\nresolution=medium\n"
                  "animation=on\n   \n",
                  &t),
            "");
  EXPECT_EQ(t.user, "Ann  Lee");
  EXPECT_EQ(t.key, good_key);
  EXPECT_EQ(t.server, "exchange.example");
  EXPECT_EQ(t.resolution, 2);  // the later line counts
  EXPECT_TRUE(t.animation_enabled);
}

TEST(Settings, EveryWordAndColourName) {
  const std::pair<const char*, int> words[] = {
      {"interval=instant", 0}, {"interval=brief", 1},   {"interval=moderate", 2}, {"interval=extended", 3},
      {"resolution=high", 1},  {"resolution=medium", 2}, {"resolution=low", 3},
  };
  for (const auto& [line, value] : words) {
    client_settings s;
    EXPECT_EQ(parse(valid(line), &s), "") << line;
    EXPECT_EQ(line[0] == 'i' ? s.interval : s.resolution, value) << line;
  }
  const std::pair<const char*, uint32_t> colours[] = {
      {"red", 0xFFD71E22},  {"yellow", 0xFFFFFF67}, {"blue", 0xFF1D3CE9},  {"orange", 0xFFFF8D1C},
      {"green", 0xFF1B913E}, {"purple", 0xFF783DD2}, {"black", 0xFF4A565E}, {"white", 0xFFE9F7FF},
      {"gray", 0xFF8397A7},  {"pink", 0xFFFF63D4},   {"brown", 0xFF80582D}, {"cyan", 0xFF44FFF7},
      {"lime", 0xFF5BFE4B},  {"maroon", 0xFF6C2B3D}, {"rose", 0xFFFFD6EC},  {"banana", 0xFFFFFFBE},
      {"tan", 0xFF9F9989},   {"coral", 0xFFEC7578}};
  for (const auto& [name, value] : colours) {
    client_settings s;
    EXPECT_EQ(parse(valid(std::string("chatcolor=") + name), &s), "") << name;
    EXPECT_EQ(s.chat_color, value) << name;
  }
}

TEST(Settings, ErrorLines) {
  const std::pair<std::string, const char*> cases[] = {
      {valid("# a comment\n"), "Settings error: # a comment"},
      {valid("  a=b=c  \n"), "Settings error: a=b=c"},
      {valid("=value\n"), "Settings error: =value"},
      {valid("interval=Brief\n"), "Settings error: interval=Brief"},
      {valid("animation=yes\n"), "Settings error: animation=yes"},
      {valid("chatcolor=Lime\n"), "Settings error: chatcolor=Lime"},
      {valid("colour=red\n"), "Settings error: colour=red"},
      {valid("server=\n"), "Settings error: server invalid!"},
      {"", "Settings error: user invalid!"},  // a missing file reads as empty
      {"user=u\n", "Settings error: key invalid!"},
      {std::string("user=u\nkey=") + good_key + "0", "Settings error: key invalid!"},
      {std::string("user=u\nkey=") + (good_key + 1), "Settings error: key invalid!"},
      {"user=u\nkey=0123456789abcdeg0123456789abcdef0123456789abcdef", "Settings error: key invalid!"},
      {"user=u\nresolution=ultra\n", "Settings error: resolution=ultra"},  // the first fault wins
  };
  for (const auto& [text, error] : cases) EXPECT_EQ(parse(text), error) << text;
}

}  // namespace
