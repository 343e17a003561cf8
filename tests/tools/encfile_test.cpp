// encfile run as a program: seeded random round trips against the file
// layout (magic, header, one sealed chunk per 64 KiB and a final one), and
// damaged, cut or extended files, wrong and malformed keys and damaged magics
// refused, keeping an earlier output and leaving no other file.
// Depends on: the built encfile program; links none of its code.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "support/seeded.h"
#include "tools/tool_process.h"

namespace {

const std::string kKey = "0123456789abcdef0123456789abcdef0123456789abcdef5a17c3e9b04d2f68";
constexpr std::size_t kMagicSize = 8, kHeaderSize = 24, kChunk = 65536, kSealOverhead = 17;

// Plaintext of n bytes: magic, header, then one sealed chunk per whole
// 64 KiB and always a final (possibly empty) one.
std::size_t encrypted_size(std::size_t n) { return kMagicSize + kHeaderSize + n + (n / kChunk + 1) * kSealOverhead; }

class Encfile : public ::testing::Test {
 protected:
  int encfile(const std::string& in, const std::string& out, const std::string& key = kKey) {
    return run_program({ENCFILE_PROGRAM, in, out, key});
  }
  // Encrypts `plain` and returns the encrypted bytes.
  std::string encrypt(const std::string& plain, const std::string& key = kKey) {
    write_file(dir / "plain", plain);
    EXPECT_EQ(encfile(dir / "plain", dir / "sealed", key), 0);
    return read_file(dir / "sealed");
  }
  void expect_refused(const std::string& sealed, const std::string& key = kKey) {
    write_file(dir / "damaged", sealed);
    expect_refused_run({ENCFILE_PROGRAM, dir / "damaged", dir / "opened", key}, dir, dir / "opened");
  }

  ScratchFolder dir;
};

// Each iteration seeds its generator with its number: a size at a chunk
// boundary, beside one or anywhere, a random key given in one letter case to
// encrypt and in another to decrypt, one flipped byte, one changed key digit,
// cuts, a repeated chunk and an added byte refused, and a second encryption
// of the same input that differs.
TEST_F(Encfile, SeededRoundTripsAgainstTheFileLayout) {
  seeded::iterations(12, [&](std::mt19937& rng, int iteration) {
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
    // Cut after a whole sealed chunk (no final one) or short of the end, cut
    // in the header, the first chunk repeated at the end, a byte added.
    const std::size_t whole = kMagicSize + kHeaderSize + (size / kChunk) * (kChunk + kSealOverhead);
    for (const std::string& bad : {sealed.substr(0, size >= kChunk ? whole : sealed.size() - 1 - rng() % 16),
                                   sealed.substr(0, kMagicSize + rng() % (kHeaderSize + 1)),
                                   sealed + sealed.substr(kMagicSize + kHeaderSize, kChunk + kSealOverhead), sealed + "x"})
      expect_refused(bad, key);
  });
}

TEST_F(Encfile, ADamagedMagicIsRefusedAndAnythingElseEncrypted) {
  // A file whose first bytes are a damaged copy of the magic was an
  // encrypted file: refused, never sealed again as if it were a picture.
  const std::string sealed = encrypt("picture");
  for (const auto& [input, refused] : std::vector<std::pair<std::string, bool>>{
           {"X" + sealed.substr(1), true},                                  // one byte changed
           {"QF" + std::string("xx") + sealed.substr(4), true},             // two bytes changed
           {"QFEN", true},                                                  // cut inside the magic
           {"QxxxC01\n" + sealed.substr(8), false},                         // three changed: a plaintext
           {"QFE", false},                                                  // too short to tell
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
    expect_refused_run({ENCFILE_PROGRAM, dir / "plain", dir / "out", key}, dir, dir / "out");
  }
  expect_refused_run({ENCFILE_PROGRAM, dir / "absent", dir / "out", kKey}, dir, dir / "out");
}

}  // namespace
