// encfile run as a program: seeded random round trips against the file
// layout (magic, header, one sealed chunk per 64 KiB and a final one),
// damaged files, wrong and malformed keys and damaged magics refused
// without writing anything.
// Depends on: the built encfile program; links none of its code.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
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

// Plaintext of n bytes: magic, header, then one sealed chunk per whole
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
    std::remove((dir / "opened").c_str());
    write_file(dir / "damaged", sealed);
    EXPECT_EQ(encfile(dir / "damaged", dir / "opened", key), 1);
    EXPECT_FALSE(test_support::exists(dir / "opened"));
    for (const std::string& name : dir.names()) EXPECT_NE(name[0], '.') << name;
  }

  ScratchFolder dir;
};

// Each iteration seeds its generator with its number: a size at a chunk
// boundary, beside one or anywhere, a random key given in one letter case to encrypt
// and in another to decrypt, one flipped byte and one changed key digit
// refused, and a second encryption of the same input that differs.
// QUILLFERN_ITERATION=n reruns iteration n alone.
TEST_F(Encfile, SeededRoundTripsAgainstTheFileLayout) {
  const char* only = std::getenv("QUILLFERN_ITERATION");
  const int first = only ? std::atoi(only) : 0, last = only ? first : 11;
  for (int iteration = first; iteration <= last; ++iteration) {
    SCOPED_TRACE("QUILLFERN_ITERATION=" + std::to_string(iteration));
    std::mt19937 rng(static_cast<std::uint32_t>(iteration));
    // Whole chunks, one byte past them, one byte short of the next, or anywhere.
    const std::size_t edges[] = {0, 1, kChunk - 1, rng() % kChunk};
    std::size_t size = (rng() % 4) * kChunk + edges[iteration % 4];
    if (iteration == 0) size = 5 * 1024 * 1024 + 7;
    std::string key;
    for (int c = 0; c < 64; ++c) key += "0123456789abcdefABCDEF"[rng() % 22];
    std::string upper = key;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));

    const std::string plain = random_bytes(size, rng());
    const std::string sealed = encrypt(plain, upper);
    ASSERT_EQ(sealed.size(), encrypted_size(size));
    EXPECT_EQ(sealed.substr(0, kMagicSize), std::string("QFENC01\n"));
    ASSERT_EQ(encfile(dir / "sealed", dir / "opened", key), 0);
    EXPECT_TRUE(read_file(dir / "opened") == plain);
    EXPECT_NE(encrypt(plain, key), sealed);  // a fresh header every time

    std::string damaged = sealed;
    damaged[kMagicSize + rng() % (sealed.size() - kMagicSize)] ^= static_cast<char>(1 << (rng() % 8));
    expect_refused(damaged, key);
    std::string other = key;
    char& digit = other[rng() % 64];
    digit = digit == '0' ? '1' : '0';
    expect_refused(sealed, other);
  }
}

TEST_F(Encfile, TruncatedOrExtendedFilesAreRefusedAndKeepAnEarlierOutput) {
  const std::string sealed = encrypt(random_bytes(3 * kChunk + 10, 11));
  const std::size_t first_chunk_end = kMagicSize + kHeaderSize + kChunk + kSealOverhead;
  for (const std::string& cut :
       {sealed.substr(0, sealed.size() - 1), sealed.substr(0, first_chunk_end),  // whole chunks, no final one
        sealed.substr(0, kMagicSize + kHeaderSize), sealed.substr(0, kMagicSize + 3), sealed + "x",
        sealed + sealed.substr(kMagicSize + kHeaderSize, kChunk + kSealOverhead)})
    expect_refused(cut);
  write_file(dir / "opened", "earlier picture");
  EXPECT_EQ(encfile(dir / "sealed", dir / "opened", std::string(64, '7')), 1);
  EXPECT_EQ(read_file(dir / "opened"), "earlier picture");
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
    EXPECT_FALSE(test_support::exists(dir / "out"));
  }
  EXPECT_EQ(encfile(dir / "absent", dir / "out"), 1);
  EXPECT_FALSE(test_support::exists(dir / "out"));
}

}  // namespace
