// The text coverage cache: fields by the hash of their shape's grid code,
// each kept with its code so that a hash collision is a miss, never a wrong
// glyph; a list in order of use drops the oldest once the bytes exceed the
// budget. The cache is never destroyed: other threads may draw text while
// the process exits.
// Depends on: coverage_field, test_seams (the switch tests use). Rasterises nothing.
#include "gdiplus/glyph_cache.h"

#include <atomic>
#include <cstring>
#include <list>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/test_seams.h"

namespace Gdiplus::render {
namespace {

// About 2,000 glyphs at 24 pixels; a field too large for a sixteenth of it is not kept.
constexpr size_t kBudgetBytes = size_t(4) << 20;
constexpr size_t kLargestField = kBudgetBytes / 16;

struct Kept {
  uint64_t hash;
  std::vector<int32_t> code;
  FieldRef field;
  size_t bytes;
};

struct Cache {
  std::mutex lock;
  std::list<Kept> by_use;  // most recently used first
  std::unordered_map<uint64_t, std::list<Kept>::iterator> by_hash;
  size_t bytes = 0;

  void drop(std::list<Kept>::iterator kept) {
    bytes -= kept->bytes;
    by_hash.erase(kept->hash);
    by_use.erase(kept);
  }
};

Cache& cache() {
  static Cache* const instance = new Cache;
  return *instance;
}

std::atomic<bool> enabled{true};

}  // namespace

uint64_t hash_code(const int32_t* code, size_t size) {
  // Four independent lanes of two values each, mixed by multiplication, then folded.
  constexpr uint64_t kMix = 0xFF51AFD7ED558CCDull;
  uint64_t lane[4] = {0x9E3779B97F4A7C15ull ^ size, 0xC2B2AE3D27D4EB4Full, 0x165667B19E3779F9ull,
                      0x27D4EB2F165667C5ull};
  auto mix = [](uint64_t h, uint64_t word) {
    h = (h ^ word) * kMix;
    return h ^ (h >> 29);
  };
  size_t i = 0;
  for (; i + 8 <= size; i += 8)
    for (int l = 0; l < 4; ++l)
      lane[l] = mix(lane[l], uint32_t(code[i + 2 * l]) | uint64_t(uint32_t(code[i + 2 * l + 1])) << 32);
  for (; i < size; ++i) lane[0] = mix(lane[0], uint32_t(code[i]));
  return mix(mix(mix(lane[0], lane[1]), lane[2]), lane[3]);
}

bool glyph_cache_enabled() { return enabled.load(std::memory_order_relaxed); }

void find_fields(const ShapeKey* keys, size_t count, FieldRef* out) {
  Cache& c = cache();
  std::lock_guard<std::mutex> guard(c.lock);
  for (size_t i = 0; i < count; ++i) {
    out[i] = nullptr;
    const auto found = c.by_hash.find(keys[i].hash);
    if (found == c.by_hash.end()) continue;
    const Kept& kept = *found->second;
    const bool same = kept.code.size() == keys[i].size &&
                      std::memcmp(kept.code.data(), keys[i].code, keys[i].size * sizeof(int32_t)) == 0;
    if (!same) continue;
    c.by_use.splice(c.by_use.begin(), c.by_use, found->second);
    out[i] = kept.field;
  }
}

void keep_field(const ShapeKey& key, const FieldRef& field) {
  const size_t bytes = sizeof(Kept) + key.size * sizeof(int32_t) + field->bytes();
  if (bytes > kLargestField) return;
  Kept kept{key.hash, std::vector<int32_t>(key.code, key.code + key.size), field, bytes};
  Cache& c = cache();
  std::lock_guard<std::mutex> guard(c.lock);
  const auto found = c.by_hash.find(key.hash);
  if (found != c.by_hash.end()) c.drop(found->second);
  while (!c.by_use.empty() && c.bytes + bytes > kBudgetBytes) c.drop(std::prev(c.by_use.end()));
  c.by_use.push_front(std::move(kept));
  try {
    c.by_hash.emplace(key.hash, c.by_use.begin());
  } catch (...) {
    c.by_use.pop_front();
    throw;
  }
  c.bytes += bytes;
}

}  // namespace Gdiplus::render

namespace platform_test {

void use_glyph_cache(bool use) {
  Gdiplus::render::enabled.store(use);
}

}  // namespace platform_test
