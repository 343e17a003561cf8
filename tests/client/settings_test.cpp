// The settings file: every error line and its order, trimming, line ends,
// later lines replacing earlier ones, the key lower-cased.

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

TEST(Settings, TrimRemovesOuterBlanksOnly) {
  std::string text = " \t\r\n a  b \v\f";
  trim(text);
  EXPECT_EQ(text, "a  b");
  text = " \t ";
  trim(text);
  EXPECT_EQ(text, "");
}

TEST(Settings, IsHexLowerCasesUpToTheFirstFailure) {
  std::string text = "ABCdef09";
  EXPECT_TRUE(is_hex(text));
  EXPECT_EQ(text, "abcdef09");
  text = "ABxCD";
  EXPECT_FALSE(is_hex(text));
  EXPECT_EQ(text, "abxCD");
  text = "";
  EXPECT_TRUE(is_hex(text));
  text = "\xC3\xA9";
  EXPECT_FALSE(is_hex(text));
}

TEST(Settings, ValuesAndDefaults) {
  client_settings s;
  EXPECT_EQ(parse(valid(), &s), "");
  EXPECT_EQ(s.server, "localhost");
  EXPECT_EQ(s.interval, 1);
  EXPECT_EQ(s.resolution, 1);
  EXPECT_FALSE(s.animation_enabled);
  EXPECT_EQ(s.chat_color, 0xFF5BFE4Bu);

  client_settings t;
  EXPECT_EQ(parse(valid("server = exchange.example \r\ninterval=extended\r\nresolution=low\nresolution=medium\n"
                        "animation=on\nchatcolor=coral\n   \n"),
                  &t),
            "");
  EXPECT_EQ(t.server, "exchange.example");
  EXPECT_EQ(t.interval, 3);
  EXPECT_EQ(t.resolution, 2);  // the later line counts
  EXPECT_TRUE(t.animation_enabled);
  EXPECT_EQ(t.chat_color, 0xFFEC7578u);
}

TEST(Settings, UserKeepsInnerBlanks) {
  client_settings s;
  EXPECT_EQ(parse(std::string("user  =  Ann  Lee  \nkey=") + good_key, &s), "");
  EXPECT_EQ(s.user, "Ann  Lee");
}

TEST(Settings, KeyIsStoredLowerCase) {
  client_settings s;
  EXPECT_EQ(parse("user=u\nkey=0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF", &s), "");
  EXPECT_EQ(s.key, good_key);
}

TEST(Settings, EveryColourName) {
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
  EXPECT_EQ(parse(valid("# a comment\n")), "Settings error: # a comment");
  EXPECT_EQ(parse(valid("  a=b=c  \n")), "Settings error: a=b=c");
  EXPECT_EQ(parse(valid("=value\n")), "Settings error: =value");
  EXPECT_EQ(parse(valid("interval=Brief\n")), "Settings error: interval=Brief");
  EXPECT_EQ(parse(valid("chatcolor=Lime\n")), "Settings error: chatcolor=Lime");
  EXPECT_EQ(parse(valid("colour=red\n")), "Settings error: colour=red");
  EXPECT_EQ(parse(valid("server=\n")), "Settings error: server invalid!");
  EXPECT_EQ(parse(""), "Settings error: user invalid!");  // a missing file reads as empty
  EXPECT_EQ(parse("server=x\n"), "Settings error: user invalid!");
  EXPECT_EQ(parse("user=u\n"), "Settings error: key invalid!");
  EXPECT_EQ(parse(std::string("user=u\nkey=") + good_key + "0"), "Settings error: key invalid!");
  EXPECT_EQ(parse(std::string("user=u\nkey=") + std::string(good_key).substr(1)), "Settings error: key invalid!");
  EXPECT_EQ(parse("user=u\nkey=0123456789abcdeg0123456789abcdef0123456789abcdef"), "Settings error: key invalid!");
  // The first fault wins: a bad line before the missing key.
  EXPECT_EQ(parse("user=u\nresolution=ultra\n"), "Settings error: resolution=ultra");
}

}  // namespace
