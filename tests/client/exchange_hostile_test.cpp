// The exchange against servers that misbehave: whatever the server sends,
// an exchange ends within its deadline with bounded memory, shows no
// picture that did not arrive and raises no chat notification for one.
// Depends on: the client library, the built encfile, tests/support's raw
// connection.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

#include "Client/client_state.h"
#include "Client/exchange.h"
#include "graphics/frond.h"
#include "support/raw_connection.h"
#include "support/resident_memory.h"
#include "support/scratch_folder.h"

using namespace quillfern;
using Clock = std::chrono::steady_clock;

namespace {

namespace fs = std::filesystem;

const std::string kKey = "00112233445566778899aabbccddeeff0011223344556677";

// What a server does with a connection once it has read the request.
using Script = std::function<void(RawConnection& peer)>;

// Runs in a scratch folder laid out as the client's run folder: temp/ and
// bin/encfile.
class HostileServer : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories("temp");
    fs::create_directories("bin");
    fs::create_symlink(ENCFILE_PROGRAM, "bin/encfile");
    test_support::write_bytes("temp/image4.enc", {'o', 'u', 't'});
    settings.key = kKey;
    network_error = file_invalid = user_not_found = new_chat = 0;
  }

  // One exchange with a loopback server that reads the request, runs
  // `script` on the connection and closes it; how long the exchange took.
  Clock::duration exchange_with(Script script, std::function<bool()> keep_going = [] { return true; }) {
    const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    EXPECT_TRUE(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                listen(listener, 1) == 0 &&
                getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) == 0);
    std::thread server([listener, &script] {
      pollfd p{listener, POLLIN, 0};
      RawConnection peer(RawConnection::Accepted{poll(&p, 1, 5000) > 0 ? accept(listener, nullptr, nullptr) : -1});
      if (!peer.read_message().empty()) script(peer);
    });
    exchange_limits limits;
    limits.deadline = std::chrono::seconds(2);
    exchange_client client("127.0.0.1", ntohs(address.sin_port), limits, std::move(keep_going));
    const auto began = Clock::now();
    exchange(client, "0123456789abcdef");
    const Clock::duration took = Clock::now() - began;
    server.join();
    close(listener);
    return took;
  }

  test_support::scratch_folder folder_;
};

// Writes `piece` over and over, up to `most` bytes or until the client goes.
Script endless(const std::string& head, const std::string& piece, std::size_t most = 256u << 20) {
  return [head, piece, most](RawConnection& peer) {
    if (!peer.send_all(head)) return;
    for (std::size_t sent = 0; sent < most && peer.send_all(piece); sent += piece.size()) {
    }
  };
}

Script dribble(const std::string& bytes, std::chrono::milliseconds gap) {
  return [bytes, gap](RawConnection& peer) {
    for (char c : bytes) {
      if (!peer.send_all(std::string(1, c))) return;
      std::this_thread::sleep_for(gap);
    }
  };
}

TEST_F(HostileServer, EndlessRepliesEndAsNetworkErrorsWithinBoundedMemory) {
  std::string headers;
  for (int i = 0; i < 1000; ++i) headers += "X-" + std::to_string(i) + ": v\r\n";
  const struct {
    const char* what;
    Script script;
  } cases[] = {
      {"a header line that never ends", endless("HTTP/1.1 200 OK\r\nX-Endless: ", std::string(65536, 'h'))},
      {"a status line that never ends", endless("HTTP/1.1 200 ", std::string(65536, 's'))},
      {"headers that never end", endless("HTTP/1.1 200 OK\r\n", headers)},
      {"a chunk size that never ends",
       endless("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", std::string(65536, '0'))},
      {"a reply dribbled a byte at a time", dribble("HTTP/1.1 200 OK\r\nContent-Length: 40\r\n\r\n", std::chrono::milliseconds(300))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const long before = resident_kib();
    reset_peak_resident();
    const Clock::duration took = exchange_with(c.script);
    EXPECT_EQ(network_error, 1);
    EXPECT_LT(took, std::chrono::seconds(6));  // the 2 s deadline, with room for a loaded machine
    EXPECT_LT(peak_resident_kib() - before, 32 * 1024 + sanitizer_allowance_kib);
    EXPECT_EQ(frond::getwidth(received_image), 1280);
    EXPECT_EQ(frond::getpixel_f(0, 0, received_image), 0xFFFF0000u);
  }
}

TEST_F(HostileServer, ClosingTheProgramEndsAnExchangeInProgress) {
  std::atomic<bool> running{true};
  std::thread closer([&running] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    running = false;
  });
  const Clock::duration took = exchange_with(dribble("HTTP/1.1 200 OK\r\n\r\n", std::chrono::milliseconds(200)),
                                             [&running] { return running.load(); });
  closer.join();
  EXPECT_LT(took, std::chrono::milliseconds(1300));
  EXPECT_EQ(network_error, 1);
}

TEST_F(HostileServer, APictureThatDoesNotDecryptNeverShowsAnOlderOneNorRaisesAChat) {
  // A good picture first: a 4x4 PNG encrypted with the key and a quiet token.
  const std::string quiet = "0123456789abcdef";
  frond::IMAGE small(4, 4);
  frond::savepng(&small, "temp\\plain.png", false);
  ASSERT_EQ(std::system((std::string(ENCFILE_PROGRAM) + " temp/plain.png temp/sealed.enc " + kKey + quiet).c_str()), 0);
  const std::vector<uint8_t> sealed_bytes = test_support::read_bytes("temp/sealed.enc");
  const std::string sealed(sealed_bytes.begin(), sealed_bytes.end());
  const auto reply_with = [](const std::string& body) {
    return [body](RawConnection& peer) {
      peer.send_all("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
    };
  };
  exchange_with(reply_with(sealed + quiet));
  ASSERT_EQ(file_invalid, 0);
  ASSERT_EQ(frond::getwidth(received_image), 4);

  // Then the tool's magic, random bytes and a token with the chat bit, which
  // anyone who can swap as the partner could send without the key.
  std::string forged = sealed.substr(0, 8);
  for (int i = 0; i < 200; ++i) forged += static_cast<char>(i * 37 + 11);
  exchange_with(reply_with(forged + "c123456789abcdef"));
  EXPECT_EQ(file_invalid, 1);
  EXPECT_EQ(new_chat, 0);
  EXPECT_EQ(frond::getwidth(received_image), 1280);
  EXPECT_EQ(frond::getpixel_f(0, 0, received_image), 0xFFFF0000u);
}

}  // namespace
