// encfile: round trips, refusals that write nothing, paths with '\'.
#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>

#include "tools/tool_process.h"

namespace {

const std::string kKey = "0123456789abcdef0123456789abcdef0123456789abcdef5a17c3e9b04d2f68";
constexpr std::size_t kMagicSize = 8, kHeaderSize = 24, kChunk = 65536, kSealOverhead = 17;

std::string random_bytes(std::size_t size, std::uint32_t seed) {
  std::mt19937 rng(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(rng());
  return bytes;
}

// Plaintext of n bytes: magic, header, then one sealed chunk per started
// 64 KiB and always a final (possibly empty) one.
std::size_t encrypted_size(std::size_t n) { return kMagicSize + kHeaderSize + n + (n / kChunk + 1) * kSealOverhead; }

class Encfile : public ::testing::Test {
 protected:
  int encfile(const std::string& in, const std::string& out, const std::string& key = kKey,
              const std::string& folder = "") {
    return run_program({ENCFILE_PROGRAM, in, out, key}, folder);
  }
  // Encrypts `plain` and returns the encrypted bytes.
  std::string encrypt(const std::string& plain, const std::string& key = kKey) {
    write_file(dir / "plain", plain);
    EXPECT_EQ(encfile(dir / "plain", dir / "sealed", key), 0);
    return read_file(dir / "sealed");
  }
  // Decrypting `sealed` must fail, leave no output and no temporary file.
  void expect_refused(const std::string& sealed, const std::string& key = kKey) {
    write_file(dir / "damaged", sealed);
    EXPECT_EQ(encfile(dir / "damaged", dir / "opened", key), 1);
    EXPECT_FALSE(file_exists(dir / "opened"));
    for (const std::string& name : dir.names()) EXPECT_NE(name[0], '.') << name;
  }

  ScratchFolder dir;
};

TEST_F(Encfile, RoundTripsFilesOfEverySize) {
  for (std::size_t size : {std::size_t(0), std::size_t(1), std::size_t(16), kChunk - 1, kChunk, kChunk + 1,
                           3 * kChunk, std::size_t(5 * 1024 * 1024 + 7)}) {
    SCOPED_TRACE(size);
    const std::string plain = random_bytes(size, static_cast<std::uint32_t>(size));
    const std::string sealed = encrypt(plain);
    EXPECT_EQ(sealed.size(), encrypted_size(size));
    EXPECT_EQ(sealed.substr(0, kMagicSize), std::string("QFENC01\n"));
    ASSERT_EQ(encfile(dir / "sealed", dir / "opened"), 0);
    EXPECT_TRUE(read_file(dir / "opened") == plain);
  }
}

TEST_F(Encfile, RoundTripsForAnyKeyMaterialInEitherLetterCase) {
  std::mt19937 rng(7);
  std::vector<std::string> keys = {std::string(64, '0'), std::string(64, 'f'), std::string(64, 'F')};
  for (int i = 0; i < 5; ++i) {
    std::string key;
    for (int c = 0; c < 64; ++c) key += "0123456789abcdefABCDEF"[rng() % 22];
    keys.push_back(key);
  }
  const std::string plain = random_bytes(1000, 3);
  for (const std::string& key : keys) {
    SCOPED_TRACE(key);
    std::string upper = key;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    encrypt(plain, upper);
    ASSERT_EQ(encfile(dir / "sealed", dir / "opened", key), 0);
    EXPECT_TRUE(read_file(dir / "opened") == plain);
  }
  // The same input encrypts differently each time.
  const std::string first = encrypt("the same picture"), second = encrypt("the same picture");
  EXPECT_EQ(first.size(), second.size());
  EXPECT_NE(first, second);
}

TEST_F(Encfile, WrongKeyWritesNothingAndKeepsAnEarlierOutput) {
  const std::string sealed = encrypt(random_bytes(200000, 5));
  std::string other = kKey;
  other.back() = other.back() == '0' ? '1' : '0';
  expect_refused(sealed, other);
  write_file(dir / "opened", "earlier picture");
  EXPECT_EQ(encfile(dir / "sealed", dir / "opened", std::string(64, '7')), 1);
  EXPECT_EQ(read_file(dir / "opened"), "earlier picture");
}

TEST_F(Encfile, FlippedTruncatedOrExtendedFilesAreRefused) {
  const std::string small = encrypt(random_bytes(100, 9));
  for (std::size_t at = kMagicSize; at < small.size(); ++at) {
    SCOPED_TRACE(at);
    std::string damaged = small;
    damaged[at] = static_cast<char>(damaged[at] ^ 0x01);
    expect_refused(damaged);
  }
  const std::string sealed = encrypt(random_bytes(3 * kChunk + 10, 11));
  for (std::size_t at : {kMagicSize + kHeaderSize + kChunk + 5, sealed.size() - kChunk, sealed.size() - 1}) {
    SCOPED_TRACE(at);
    std::string damaged = sealed;
    damaged[at] = static_cast<char>(damaged[at] ^ 0x80);
    expect_refused(damaged);
  }
  const std::size_t first_chunk_end = kMagicSize + kHeaderSize + kChunk + kSealOverhead;
  for (const std::string& cut :
       {sealed.substr(0, sealed.size() - 1), sealed.substr(0, first_chunk_end),  // whole chunks, no final one
        sealed.substr(0, kMagicSize + kHeaderSize), sealed.substr(0, kMagicSize + 3), sealed + "x",
        sealed + sealed.substr(kMagicSize + kHeaderSize, kChunk + kSealOverhead)})
    expect_refused(cut);
}

TEST_F(Encfile, ADamagedMagicIsRefusedAndAnythingElseEncrypted) {
  // A file whose first bytes are a damaged copy of the magic was an
  // encrypted file: refused, never sealed again as if it were a picture.
  const std::string sealed = encrypt("picture");
  std::string flipped = sealed;
  flipped[3] = static_cast<char>(flipped[3] ^ 0x04);
  for (const auto& [input, refused] : std::vector<std::pair<std::string, bool>>{
           {"X" + sealed.substr(1), true},                                  // one byte changed
           {flipped, true},                                                  // one bit flipped
           {"QF" + std::string("xx") + sealed.substr(4), true},             // two bytes changed
           {"QFENC0", true},                                                // cut inside the magic
           {"QFEN", true},
           {"QxxxC01\n" + sealed.substr(8), false},                         // three changed: a plaintext
           {"QFE", false},
           {"\x89PNG\r\n\x1A\n", false},
           {"", false}}) {
    SCOPED_TRACE(input);
    write_file(dir / "odd", input);
    if (refused) {
      expect_refused(input);
    } else {
      ASSERT_EQ(encfile(dir / "odd", dir / "out"), 0);
      EXPECT_EQ(read_file(dir / "out").size(), encrypted_size(input.size()));
    }
  }
}

TEST_F(Encfile, MalformedKeysAndMissingInputsWriteNothing) {
  write_file(dir / "plain", "picture");
  for (const std::string& key : {std::string(), std::string(63, 'a'), std::string(65, 'a'), std::string(62, 'a') + "g0",
                                 std::string(62, 'a') + " 0", std::string(62, 'a') + "0x"}) {
    SCOPED_TRACE(key);
    EXPECT_EQ(encfile(dir / "plain", dir / "out", key), 1);
    EXPECT_FALSE(file_exists(dir / "out"));
  }
  EXPECT_EQ(run_program({ENCFILE_PROGRAM, dir / "plain", dir / "out"}), 2);
  EXPECT_EQ(encfile(dir / "absent", dir / "out"), 1);
  EXPECT_FALSE(file_exists(dir / "out"));
}

TEST_F(Encfile, BackslashSeparatesFolders) {
  ASSERT_EQ(run_program({"/bin/mkdir", "temp"}, dir.path()), 0);
  write_file(dir / "temp/image3.png", "captured picture");
  ASSERT_EQ(encfile("temp\\image3.png", "temp\\image4.enc", kKey, dir.path()), 0);
  ASSERT_TRUE(file_exists(dir / "temp/image4.enc"));
  ASSERT_EQ(encfile("temp\\image4.enc", "temp\\image6.png", kKey, dir.path()), 0);
  EXPECT_EQ(read_file(dir / "temp/image6.png"), "captured picture");
  EXPECT_EQ(dir.names("temp"), (std::vector<std::string>{"image3.png", "image4.enc", "image6.png"}));
  EXPECT_EQ(dir.names(), std::vector<std::string>{"temp"});
}

}  // namespace
