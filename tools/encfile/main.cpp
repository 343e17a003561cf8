// encfile in out <64 hex>: encrypts `in` into `out`, or decrypts it when
// `in` starts with the tool's magic, keyed from the 64 hexadecimal
// characters; an `in` whose first bytes are a damaged copy of the magic is
// refused. The output appears whole or not at all: a wrong key, a damaged
// file or any other failure writes nothing and exits with status 1.
// Depends on: secret_stream and key_material (libsodium), common/ (atomic output, tool path, usage).
// Holds no format logic of its own.
#include <cstdio>
#include <memory>

#include "common/atomic_output.h"
#include "common/tool_path.h"
#include "common/tool_usage.h"
#include "key_material.h"
#include "secret_stream.h"

namespace {

struct FileCloser {
  void operator()(FILE* f) const { fclose(f); }
};

int fail(const char* message, const std::string& detail) {
  std::fprintf(stderr, "encfile: %s%s\n", message, detail.c_str());
  return 1;
}

}  // namespace

const char usage_text[] =
    "usage: encfile in out KEY\n"
    "Encrypts in into out with authenticated encryption keyed from KEY, 64 hexadecimal\n"
    "characters; when in was made by encfile it is decrypted instead. A wrong key, a\n"
    "damaged file or any other failure writes nothing and exits with status 1; out\n"
    "appears whole or not at all.\n"
    "A '\\' in a path separates folders, as in the client's command lines.\n"
    "  --help     this text\n"
    "  --version  the version\n";

int main(int argc, char** argv) {
  const int answered = answer_help_or_version(argc, argv, "encfile", usage_text);
  if (answered >= 0) return answered;
  if (argc != 4) {
    std::fputs(usage_text, stderr);
    return 2;
  }
  const std::string in_path = native_path(argv[1]);
  const std::string out_path = native_path(argv[2]);
  StreamKey key;
  if (!parse_key_material(argv[3], key)) return fail("the key must be 64 hexadecimal characters", "");
  if (sodium_init() < 0) return fail("libsodium cannot start", "");

  std::unique_ptr<FILE, FileCloser> in(std::fopen(in_path.c_str(), "rb"));
  if (!in) return fail("cannot open ", in_path);
  const InputKind kind = classify_input(in.get());
  std::rewind(in.get());
  if (kind == InputKind::DamagedEncrypted)
    return fail("damaged encrypted file (its first bytes are a damaged copy of the magic): ", in_path);
  const bool decrypting = kind == InputKind::Encrypted;

  AtomicOutput out(out_path);
  if (!out.stream()) return fail("cannot create a file beside ", out_path);
  const bool done = decrypting ? decrypt_stream(in.get(), out.stream(), key)
                               : encrypt_stream(in.get(), out.stream(), key);
  sodium_memzero(key.data(), key.size());
  if (!done) return fail(decrypting ? "wrong key or damaged file: " : "cannot encrypt ", in_path);
  if (!out.commit()) return fail("cannot write ", out_path);
  return 0;
}
