// The tools' parallel deflate against zlib's inflate: seeded random data of
// noise (stored blocks), runs and repeats, cut at random places (empty
// pieces too) and compressed at every level, inflates to itself; each join
// meets every number of padding bits; each piece after a start it reports
// inflates on its own to its data. Depends on: common/parallel_deflate, zlib.
#include <zlib.h>

#include <algorithm>
#include <vector>

#include "common/parallel_deflate.h"
#include "support/seeded.h"

TEST(ParallelDeflate, JoinedPiecesInflateToTheData) {
  seeded::iterations(150, [](std::mt19937& rng, int) {
    std::vector<std::uint8_t> data(seeded::between(rng, 1, 100000));
    for (std::size_t at = 0, end = 0, kind = 0; at < data.size(); ++at) {  // runs of noise, one byte, or a copy
      if (at == end) end = at + seeded::between(rng, 1, 5000), kind = rng() % 3;
      data[at] = kind == 0 || at < 300 ? std::uint8_t(rng()) : kind == 1 ? data[at - 1] : data[at - 300];
    }
    std::vector<std::size_t> cuts(seeded::between(rng, 0, 5));
    for (std::size_t& cut : cuts) cut = rng() % (data.size() + 1);
    std::sort(cuts.begin(), cuts.end());
    std::vector<std::size_t> starts;
    const std::vector<std::uint8_t> stream =
        parallel_zlib_compress(data.data(), data.size(), seeded::between(rng, 1, 12), cuts, &starts);
    std::vector<std::uint8_t> back(data.size());
    uLongf size = uLongf(back.size());
    ASSERT_EQ(uncompress(back.data(), &size, stream.data(), uLong(stream.size())), Z_OK);
    EXPECT_TRUE(size == data.size() && back == data);
    ASSERT_EQ(starts.size(), cuts.size());
    for (std::size_t i = 0; i < starts.size(); ++i) {  // a fresh inflater from the start: the rest of the data
      z_stream z{};
      ASSERT_EQ(inflateInit2(&z, -15), Z_OK);
      z.next_in = const_cast<Bytef*>(stream.data() + starts[i]);
      z.avail_in = uInt(stream.size() - starts[i]);
      z.next_out = back.data();
      z.avail_out = uInt(back.size());
      EXPECT_EQ(inflate(&z, Z_FINISH), Z_STREAM_END);
      EXPECT_TRUE(std::equal(back.begin(), back.begin() + long(z.total_out), data.begin() + long(cuts[i])) &&
                  z.total_out == data.size() - cuts[i]);
      inflateEnd(&z);
    }
  });
}
