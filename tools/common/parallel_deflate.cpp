#include "parallel_deflate.h"

#include <zlib.h>

#include <algorithm>
#include <thread>

namespace {

constexpr std::size_t kMinStrip = 256 * 1024;
constexpr std::size_t kWindow = 32 * 1024;

struct Strip {
  const std::uint8_t* begin = nullptr;
  std::size_t size = 0;
  bool last = false;
  std::vector<std::uint8_t> deflated;
  uLong adler = 0;
  bool ok = false;
};

// Raw deflate of one strip: primed with the window before it, ended with a
// sync flush (or the final block for the last strip).
void deflate_strip(const std::uint8_t* data, int level, Strip& strip) {
  strip.adler = adler32(1L, strip.begin, static_cast<uInt>(strip.size));
  z_stream z{};
  if (deflateInit2(&z, level, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY) != Z_OK) return;
  const std::size_t offset = static_cast<std::size_t>(strip.begin - data);
  const std::size_t primed = std::min(offset, kWindow);
  if (primed > 0 && deflateSetDictionary(&z, strip.begin - primed, static_cast<uInt>(primed)) != Z_OK) {
    deflateEnd(&z);
    return;
  }
  strip.deflated.resize(deflateBound(&z, strip.size) + 16);
  z.next_in = const_cast<Bytef*>(strip.begin);
  z.avail_in = static_cast<uInt>(strip.size);
  z.next_out = strip.deflated.data();
  z.avail_out = static_cast<uInt>(strip.deflated.size());
  const int flush = strip.last ? Z_FINISH : Z_SYNC_FLUSH;
  int result = deflate(&z, flush);
  while (result == Z_OK && (z.avail_in > 0 || z.avail_out == 0 || flush == Z_FINISH)) {
    const std::size_t used = strip.deflated.size() - z.avail_out;
    strip.deflated.resize(strip.deflated.size() * 2);
    z.next_out = strip.deflated.data() + used;
    z.avail_out = static_cast<uInt>(strip.deflated.size() - used);
    result = deflate(&z, flush);
  }
  strip.deflated.resize(strip.deflated.size() - z.avail_out);
  strip.ok = strip.last ? result == Z_STREAM_END : result == Z_OK || result == Z_BUF_ERROR;
  deflateEnd(&z);
}

}  // namespace

bool parallel_deflate(const std::uint8_t* data, std::size_t size, int level, unsigned threads,
                      std::vector<std::uint8_t>& out) {
  const std::size_t count = std::max<std::size_t>(1, std::min<std::size_t>(std::max(1u, threads), size / kMinStrip));
  std::vector<Strip> strips(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t from = size * i / count, to = size * (i + 1) / count;
    strips[i].begin = data + from;
    strips[i].size = to - from;
    strips[i].last = i + 1 == count;
  }
  std::vector<std::thread> workers;
  for (std::size_t i = 1; i < count; ++i) workers.emplace_back(deflate_strip, data, level, std::ref(strips[i]));
  deflate_strip(data, level, strips[0]);
  for (std::thread& worker : workers) worker.join();

  // Header: deflate with a 32 KiB window, the level class, a valid check.
  const unsigned cmf = 0x78;
  unsigned flg = (level >= 7 ? 3u : level >= 6 ? 2u : level >= 2 ? 1u : 0u) << 6;
  flg += 31 - (cmf * 256 + flg) % 31;
  out.push_back(static_cast<std::uint8_t>(cmf));
  out.push_back(static_cast<std::uint8_t>(flg));
  uLong adler = adler32(0L, nullptr, 0);
  for (const Strip& strip : strips) {
    if (!strip.ok) return false;
    out.insert(out.end(), strip.deflated.begin(), strip.deflated.end());
    adler = adler32_combine(adler, strip.adler, static_cast<z_off_t>(strip.size));
  }
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(adler >> shift));
  return true;
}
