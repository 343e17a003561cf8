// The size-balanced child set: ranks, balance under sorted inserts, removal
// of a node with two children and, against std::set, a long seeded mix of
// inserts and removals with every structural invariant checked.
// Depends on: graphics/ranktree.h only.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

#include "graphics/ranktree.h"

using frond::frondControlBase;
using frond::ranktree;

namespace {

// Distinct, ordered keys; the set never dereferences them.
frondControlBase* key(uintptr_t n) { return reinterpret_cast<frondControlBase*>(0x1000 + 16 * n); }

int height(const ranktree::node* n) { return n ? 1 + std::max(height(n->left), height(n->right)) : 0; }

// Sizes add up, `up` names the parent, keys are in order; returns the size.
int check_subtree(const ranktree::node* n, const ranktree::node* up, uintptr_t lo, uintptr_t hi) {
  if (n == nullptr) return 0;
  EXPECT_EQ(n->up, up);
  const uintptr_t k = reinterpret_cast<uintptr_t>(n->key);
  EXPECT_GE(k, lo);
  EXPECT_LT(k, hi);
  const int size = check_subtree(n->left, n, lo, k) + check_subtree(n->right, n, k + 1, hi) + 1;
  EXPECT_EQ(n->size, size);
  return size;
}

void check_tree(const ranktree& tree, const std::set<uintptr_t>& expected) {
  ASSERT_EQ(check_subtree(tree.root_node(), nullptr, 0, UINTPTR_MAX), int(expected.size()));
  int rank = 0;
  for (uintptr_t k : expected) {
    EXPECT_EQ(reinterpret_cast<uintptr_t>(tree.itemat(rank)), k);
    EXPECT_EQ(tree.indexof(reinterpret_cast<frondControlBase*>(k)), rank);
    EXPECT_EQ(tree.countbelow(reinterpret_cast<frondControlBase*>(k)), rank);
    EXPECT_EQ(tree.countbelow(reinterpret_cast<frondControlBase*>(k + 1)), rank + 1);  // absent keys too
    ++rank;
  }
  // Stepping node to node visits the keys in order, both ways.
  std::vector<uintptr_t> forward, backward;
  for (const ranktree::node* n = tree.nodeat(0); n; n = ranktree::next(n))
    forward.push_back(reinterpret_cast<uintptr_t>(n->key));
  for (const ranktree::node* n = tree.nodeat(tree.size() - 1); n; n = ranktree::previous(n))
    backward.insert(backward.begin(), reinterpret_cast<uintptr_t>(n->key));
  EXPECT_EQ(forward, std::vector<uintptr_t>(expected.begin(), expected.end()));
  EXPECT_EQ(backward, forward);
}

TEST(Ranktree, SortedInsertsStayBalancedWithExactRanks) {
  for (bool ascending : {true, false}) {
    ranktree tree;
    std::set<uintptr_t> expected;
    for (uintptr_t i = 0; i < 1000; ++i) {
      tree.insert(key(ascending ? i : 999 - i));
      expected.insert(reinterpret_cast<uintptr_t>(key(i)));
    }
    EXPECT_LE(height(tree.root_node()), 21);
    check_tree(tree, expected);
    EXPECT_EQ(tree.indexof(key(1000)), -1);
  }
}

TEST(Ranktree, RanksOutOfRangeSelectAndRemoveNothing) {
  ranktree tree;
  EXPECT_EQ(tree.indexof(key(1)), -1);
  EXPECT_EQ(tree.removeat(0), nullptr);  // empty
  for (uintptr_t i = 0; i < 5; ++i) tree.insert(key(i));
  EXPECT_EQ(tree.itemat(5), nullptr);
  EXPECT_EQ(tree.itemat(-1), nullptr);
  EXPECT_EQ(tree.removeat(5), nullptr);
  EXPECT_EQ(tree.removeat(-1), nullptr);
  EXPECT_EQ(tree.size(), 5);
}

TEST(Ranktree, RemovingANodeWithTwoChildrenTakesItsPredecessorsKey) {
  ranktree tree;
  for (uintptr_t i : {2, 1, 3}) tree.insert(key(i));
  const ranktree::node* root = tree.root_node();
  ASSERT_EQ(root->key, key(2));
  ASSERT_TRUE(root->left && root->right);

  std::unique_ptr<ranktree::node> removed = tree.removeat(1);
  ASSERT_NE(removed, nullptr);
  EXPECT_EQ(removed->key, key(1));  // the predecessor's storage goes
  EXPECT_EQ(removed->left, nullptr);
  EXPECT_EQ(tree.root_node(), root);  // the node stays, with the predecessor's key
  EXPECT_EQ(root->key, key(1));
  check_tree(tree, {reinterpret_cast<uintptr_t>(key(1)), reinterpret_cast<uintptr_t>(key(3))});
}

TEST(Ranktree, SeededMixAgreesWithAnOrderedSet) {
  std::mt19937 rng(20240605);
  ranktree tree;
  std::set<uintptr_t> expected;
  for (int step = 0; step < 3000; ++step) {
    if (expected.empty() || rng() % 3 != 0) {
      const uintptr_t k = reinterpret_cast<uintptr_t>(key(rng() % 5000));
      if (tree.indexof(reinterpret_cast<frondControlBase*>(k)) < 0) tree.insert(reinterpret_cast<frondControlBase*>(k));
      expected.insert(k);
    } else {
      const int rank = int(rng() % expected.size());
      const uintptr_t gone = reinterpret_cast<uintptr_t>(tree.itemat(rank));
      EXPECT_EQ(gone, *std::next(expected.begin(), rank));
      tree.removeat(rank);
      expected.erase(gone);
    }
    if (step % 250 == 0) check_tree(tree, expected);
  }
  check_tree(tree, expected);
}

}  // namespace
