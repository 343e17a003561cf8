// The client's pure logic: tokens, reply evaluation, captions, the request
// path, the tools' command lines, the capture file layout, the outgoing
// sizes, the input ladders, bindings and chat line editing, the
// notification's font fitting and quiet minute.
// Depends on: the client library; starts no thread and opens no window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "Client/capture.h"
#include "Client/cycle.h"
#include "Client/display.h"
#include "Client/exchange.h"
#include "Client/input.h"
#include "Client/notification.h"
#include "Client/picture_size.h"
#include "graphics/frond.h"
#include "Client/token.h"
#include "Client/tools.h"

using namespace quillfern;

namespace {

TEST(Token, StandardEngineWithTheChatBit) {
  std::mt19937_64 engine(5489);
  EXPECT_EQ(make_token(engine, false), "496d191cf6f6aea6");
  std::mt19937_64 same(5489);
  EXPECT_EQ(make_token(same, true), "c96d191cf6f6aea6");
  for (int i = 0; i < 200; ++i) {
    const std::string quiet = make_token(engine, false), chatting = make_token(engine, true);
    ASSERT_EQ(quiet.size(), 16u);
    ASSERT_LE(quiet[0], '7');
    ASSERT_FALSE(token_says_chat(quiet));
    ASSERT_TRUE(token_says_chat(chatting));
  }
}

TEST(Exchange, RequestPathIsPercentEncoded) {
  EXPECT_EQ(swap_path("alice"), "/v1/swap/alice");
  EXPECT_EQ(swap_path("Ann Lee+1"), "/v1/swap/Ann%20Lee%2B1");
  EXPECT_EQ(swap_path("a-b.c_d~e/f?"), "/v1/swap/a-b.c_d~e%2Ff%3F");
  EXPECT_EQ(swap_path("\xC3\xA9"), "/v1/swap/%C3%A9");
}

// What a reply leads to, in words: its flags, then the picture step.
std::string outcome(bool ok, int status, const std::string& body) {
  const reply_outcome o = evaluate_reply(ok, status, body);
  std::string words = std::string(o.network_error ? "network error;" : "") + (o.file_invalid ? "file invalid;" : "") +
                      (o.user_not_found ? "user not found;" : "");
  if (o.step == reply_outcome::show_black) words += "black";
  if (o.step == reply_outcome::decrypt_partner) words += "decrypt " + o.partner_picture + " " + o.partner_token;
  return words;
}

TEST(Exchange, EvaluatesEveryReply) {
  EXPECT_EQ(outcome(false, 0, ""), "network error;");
  EXPECT_EQ(outcome(true, 404, "nope"), "network error;");
  EXPECT_EQ(outcome(true, 201, ""), "user not found;");
  EXPECT_EQ(outcome(true, 200, ""), "black");
  for (const std::string body : {"a", "aaaaaaaaaaaaaaa", "aaaaaaaaaaaaaaaa", "PICTUREz96d191cf6f6aea6"})
    EXPECT_EQ(outcome(true, 200, body), "file invalid;") << body;
  // The token is accepted in either case and lower-cased.
  EXPECT_EQ(outcome(true, 200, "PICTUREC96D191CF6F6AEA6"), "decrypt PICTURE c96d191cf6f6aea6");
  EXPECT_EQ(outcome(true, 200, "PICTURE796d191cf6f6aea6"), "decrypt PICTURE 796d191cf6f6aea6");
}

TEST(Exchange, ReceivedPicturesLargerThanPartnersSendAreRefusedUnread) {
  const struct {
    int width, height;
    bool refused;
  } cases[] = {{4096, 1, false}, {4097, 1, true}, {1, 4097, true}};
  for (const auto& c : cases) {
    frond::IMAGE picture(c.width, c.height);
    ASSERT_EQ(frond::savepng(&picture, "received_size.png", false), 0);
    EXPECT_EQ(png_larger_than("received_size.png", received_side_limit), c.refused) << c.width << "x" << c.height;
  }
  std::remove("received_size.png");
  EXPECT_FALSE(png_larger_than("no such file.png", received_side_limit));
}

TEST(Display, Captions) {
  // Flags: network error, file invalid, user not found, chat, hold, topmost.
  const std::pair<caption_flags, const char*> cases[] = {
      {{false, false, false, false, false, false}, "Quillfern"},
      {{false, false, false, true, false, true}, "Quillfern [Chat][Top]"},
      {{false, false, false, true, true, true}, "Quillfern [Chat][Hold][Top]"},
      {{false, false, false, false, true, false}, "Quillfern [Hold]"},
      {{false, true, false, true, true, false}, "Quillfern [FileInvalid]"},
      {{true, true, true, false, false, false}, "Quillfern [NetworkError]"},
      {{false, false, true, false, false, false}, "Quillfern [UserNotFound]"},
  };
  for (const auto& [flags, caption] : cases) EXPECT_EQ(build_caption(flags), caption);
}

TEST(Tools, CommandLines) {
  const std::string material(64, 'a');
  EXPECT_EQ(pngslim_command(), "bin\\pngslim.exe temp\\image2.png temp\\image3.png");
  EXPECT_EQ(encrypt_command(material), "bin\\encfile.exe temp\\image3.png temp\\image4.enc " + material);
  EXPECT_EQ(decrypt_command(material), "bin\\encfile.exe temp\\image5.enc temp\\image6.png " + material);
}

TEST(Capture, FileLayoutByDisplayDepth) {
  const struct {
    int depth, width, height, bits_per_pixel;
    uint32_t palette_bytes, row_bytes;
  } cases[] = {
      {32, 1280, 720, 24, 0, 3840},  {24, 1366, 768, 24, 0, 4100},  // 4098 rounded up
      {16, 1, 1, 24, 0, 4},          {8, 1366, 768, 8, 1024, 1368},
      {4, 10, 2, 4, 64, 8},          {1, 33, 1, 1, 8, 8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.depth);
    const capture_layout l = capture_layout_for(c.depth, c.width, c.height);
    EXPECT_EQ(l.bits_per_pixel, c.bits_per_pixel);
    EXPECT_EQ(l.palette_bytes, c.palette_bytes);
    EXPECT_EQ(l.row_bytes, c.row_bytes);
    EXPECT_EQ(l.pixel_bytes, uint64_t(c.row_bytes) * c.height);
    EXPECT_EQ(l.file_bytes, 54 + c.palette_bytes + l.pixel_bytes);
  }
}

TEST(Cycle, OutgoingSizes) {
  for (const auto& [resolution, width, height] : {std::tuple{1, 1600, 900}, {2, 1280, 720}, {3, 960, 540}})
    EXPECT_EQ(std::pair(outgoing_size(resolution).width, outgoing_size(resolution).height), std::pair(width, height));
}

// Every rung of the opacity ladder and of the wheel's widths (320..1600 in
// steps of 320), down and up, stopping at both ends.
TEST(Input, OpacityLadderAndWheelSizes) {
  const std::vector<int> opacity = {255, 224, 192, 160, 128, 96, 64, 32}, widths = {1600, 1280, 960, 640, 320};
  const auto narrower = [](int width) { return width_after_wheel(width, 120); };
  const auto wider = [](int width) { return width_after_wheel(width, -120); };
  for (const auto& [ladder, down, up] : {std::tuple{opacity, +opacity_step_down, +opacity_step_up},
                                         std::tuple{widths, +narrower, +wider}})
    for (std::size_t i = 0; i < ladder.size(); ++i) {
      EXPECT_EQ(down(ladder[i]), ladder[std::min(i + 1, ladder.size() - 1)]) << ladder[i];
      EXPECT_EQ(up(ladder[i]), ladder[i ? i - 1 : 0]) << ladder[i];
    }
}

TEST(Input, ModeKeysInEitherCase) {
  const std::pair<unsigned, mode_key> keys[] = {{'h', mode_key::hold},    {'H', mode_key::hold}, {'t', mode_key::topmost},
                                                {'C', mode_key::chat},    {'x', mode_key::none}, {0xE8, mode_key::none}};
  for (const auto& [code, key] : keys) EXPECT_EQ(mode_key_of(code), key) << code;
}

TEST(Input, ChatLineEditing) {
  std::string line;
  EXPECT_EQ(edit_chat_line(line, 8), chat_edit::erased);  // nothing to erase, still redrawn
  EXPECT_EQ(edit_chat_line(line, 'h'), chat_edit::appended);  // text, not a mode key
  EXPECT_EQ(edit_chat_line(line, 9), chat_edit::ignored);
  EXPECT_EQ(edit_chat_line(line, 13), chat_edit::ignored);
  EXPECT_EQ(line, "h");
  for (int i = 0; i < 40; ++i) edit_chat_line(line, 'a' + i % 26);
  EXPECT_EQ(line.size(), 32u);
  EXPECT_EQ(edit_chat_line(line, 'z'), chat_edit::ignored);
  EXPECT_EQ(edit_chat_line(line, 8), chat_edit::erased);
  EXPECT_EQ(line.size(), 31u);
  EXPECT_EQ(edit_chat_line(line, 27), chat_edit::leave_chat);
  EXPECT_EQ(line, "");
}

TEST(Notification, FontFittingTakesTheLargestSizeThatFits) {
  // Lines 6 and 8 pixels wide a point of size: 300 - 20 = 280 > 8 x size.
  EXPECT_EQ(quillfern::fit_font_size(300, [](int size) { return std::make_pair(6 * size, 8 * size); }), 34);
  EXPECT_EQ(quillfern::fit_font_size(1000, [](int size) { return std::make_pair(size, size); }), 40);
  // Nothing fits down to 2: 0, the caller falls back to 20.
  EXPECT_EQ(quillfern::fit_font_size(30, [](int) { return std::make_pair(10, 10); }), 0);
  // Exactly 20 narrower does not fit ("more than 20 pixels narrower").
  EXPECT_EQ(quillfern::fit_font_size(100, [](int size) { return std::make_pair(size == 40 ? 80 : 79, 0); }), 39);
}

TEST(Notification, QuietMinuteIs2399WaitsOf25Ms) {
  int sleeps = 0, total = 0;
  quillfern::wait_quiet_minute([] { return true; }, [&](int ms) {
    ++sleeps;
    total += ms;
  });
  EXPECT_EQ(sleeps, 2399);
  EXPECT_EQ(total, 59975);
  sleeps = 0;
  quillfern::wait_quiet_minute([&] { return sleeps < 10; }, [&](int) { ++sleeps; });
  EXPECT_EQ(sleeps, 10);  // a closed window ends the wait
}

}  // namespace
