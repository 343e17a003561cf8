// The tools' parallel deflate against zlib's inflate: seeded random data of
// noise (stored blocks), runs and repeats, cut at random places (empty
// pieces too) and compressed at every level, inflates to itself; each join
// meets every number of padding bits; the pieces inflate again on their own
// from the split points it reports, and not from others.
// Depends on: common/parallel_deflate, zlib.
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
    std::vector<SplitPoint> splits;
    for (std::size_t i = 0; i < cuts.size(); ++i) splits.emplace_back(starts[i], cuts[i]);
    std::fill(back.begin(), back.end(), 0);
    EXPECT_TRUE(parallel_zlib_decompress(stream.data(), stream.size(), splits, back.data(), back.size()));
    EXPECT_EQ(back, data);
    std::vector<std::uint8_t> damaged = stream;
    ++damaged.back();  // the checksum
    EXPECT_FALSE(parallel_zlib_decompress(damaged.data(), damaged.size(), splits, back.data(), back.size()));
    if (!splits.empty()) {  // a split point that does not hold
      ++splits.back().first;
      EXPECT_FALSE(parallel_zlib_decompress(stream.data(), stream.size(), splits, back.data(), back.size()));
    }
  });
}
