// One frame of a tree of 1,000 controls (update walk, draw walk with
// compositing, one mouse move walked down the tree) against its reference in
// the same run: a plain loop blitting the same 1,000 images to the same
// places. The difference is the walks' own cost; keep it under 20% of the
// blits. Depends on: Frond's public header, support/.
#include <memory>
#include <random>
#include <vector>

#include "frond/frond.h"
#include "support/bench_support.h"

using namespace frond;

namespace {

constexpr int kControls = 1000, kPanels = 10, kSide = 32, kTargetWidth = 640, kTargetHeight = 360;

// Ten panels of 100 children each, every control with a 32x32 image of noise.
struct Tree {
  Tree() : target(kTargetWidth, kTargetHeight) {
    std::mt19937 rng(1000);
    for (int p = 0; p < kPanels; ++p) {
      auto panel = std::make_unique<frondControlBase>(0, &root);
      popconstruction();  // made whole here: off the construction stack
      panel->direct = 1;  // draws its children straight onto the target
      panel->width = kTargetWidth;
      panel->height = kTargetHeight;
      for (int i = 0; i < kControls / kPanels; ++i) {
        auto c = std::make_unique<frondControlBase>(0, panel.get());
        popconstruction();
        c->x = int(rng() % (kTargetWidth - kSide));
        c->y = int(rng() % (kTargetHeight - kSide));
        c->width = c->height = kSide;
        resize(c->main_image, kSide, kSide);
        for (int k = 0; k < kSide * kSide; ++k) c->main_image->pixels[k] = rng();
        leaves.push_back(std::move(c));
      }
      panels.push_back(std::move(panel));
    }
  }
  frondControlBase root;  // the first control made: the root
  IMAGE target;
  std::vector<std::unique_ptr<frondControlBase>> panels, leaves;  // leaves go first
};

Tree& tree() {
  static Tree* const t = new Tree();
  return *t;
}

void TreeFrame(benchmark::State& state) {
  Tree& t = tree();
  int move = 0;
  bench::time_calls(state, kControls, [&] {
    t.root.dispatchupdate();
    t.root.dispatchdraw(&t.target);
    t.root.dispatchmouse(move % kTargetWidth, move % kTargetHeight, MOUSEMSG_MOVE);
    ++move;
  });
}

void PlainBlits(benchmark::State& state) {
  Tree& t = tree();
  bench::time_calls(state, kControls, [&] {
    for (const auto& c : t.leaves) c->main_image->putimage(&t.target, c->x, c->y, SRCCOPY);
  });
}

BENCHMARK(PlainBlits)->Unit(benchmark::kMicrosecond);
BENCHMARK(TreeFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
