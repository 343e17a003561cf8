// pngslim in.png out.png: rewrites a PNG smaller, with the same pixels, as
// 8-bit RGB (RGBA when some pixel is not opaque), never grey, never
// interlaced. The output appears whole or not at all; on any failure the
// exit status is 1 and an existing out.png is left as it was.
// Depends on: png_decode (libpng), common/png_encode (libdeflate, zlib), atomic_output, tool_path and
// tool_usage. Changes no pixel.
#include <cstdio>
#include <memory>

#include "common/atomic_output.h"
#include "common/png_encode.h"
#include "common/tool_path.h"
#include "common/tool_usage.h"
#include "png_decode.h"

namespace {

struct FileCloser {
  void operator()(FILE* f) const { fclose(f); }
};

int fail(const char* message, const std::string& path) {
  std::fprintf(stderr, "pngslim: %s: %s\n", message, path.c_str());
  return 1;
}

}  // namespace

const char usage_text[] =
    "usage: pngslim in.png out.png\n"
    "Writes the pixels of in.png to out.png as a smaller PNG: 8-bit RGB, or RGBA when\n"
    "some pixel is not opaque; never grey, never interlaced. out.png appears whole or\n"
    "not at all: on any failure the exit status is 1 and out.png is left as it was.\n"
    "A '\\' in a path separates folders, as in the client's command lines.\n"
    "  --help     this text\n"
    "  --version  the version\n";

int main(int argc, char** argv) {
  const int answered = answer_help_or_version(argc, argv, "pngslim", usage_text);
  if (answered >= 0) return answered;
  if (argc != 3) {
    std::fputs(usage_text, stderr);
    return 2;
  }
  const std::string in_path = native_path(argv[1]);
  const std::string out_path = native_path(argv[2]);

  RgbaImage image;
  {
    std::unique_ptr<FILE, FileCloser> in(std::fopen(in_path.c_str(), "rb"));
    if (!in) return fail("cannot open", in_path);
    if (!decode_png(in.get(), image)) return fail("not a readable PNG", in_path);
  }
  const int channels = drop_opaque_alpha(image);

  AtomicOutput out(out_path);
  if (!out.stream()) return fail("cannot create a file beside", out_path);
  if (!encode_png(out.stream(), image.pixels.data(), image.width, image.height, channels))
    return fail("cannot write", out_path);
  if (!out.commit()) return fail("cannot write", out_path);
  return 0;
}
