// The order-statistic set in which a control keeps its children: a
// size-balanced binary search tree of control pointers ordered by address,
// each node carrying the size of its subtree. Internal to the library.
// Depends on nothing. Knows nothing of what a control draws.
#pragma once

#include <cstdint>
#include <memory>

namespace frond {

class frondControlBase;

struct ranktree_node {
  ranktree_node* left;
  ranktree_node* right;
  ranktree_node* up;  // the node whose left or right holds this one; null at the root
  int32_t size;       // nodes in this subtree, itself included
  frondControlBase* key;
};

class ranktree {
 public:
  using node = ranktree_node;

  ranktree() = default;
  ~ranktree();  // frees the nodes; the keys are not owned
  ranktree(const ranktree&) = delete;
  ranktree& operator=(const ranktree&) = delete;

  int32_t size() const;
  // The key at in-order position rank; null when rank is outside 0 .. size - 1.
  frondControlBase* itemat(int32_t rank) const;
  // The node at rank, or null; and the nodes next to a node in key order
  // (null past either end), for walks that step while the set is unchanged.
  const node* nodeat(int32_t rank) const;
  static const node* next(const node* n);
  static const node* previous(const node* n);
  // The in-order position of key, or -1.
  int32_t indexof(const frondControlBase* key) const;
  // How many keys are below key (key itself need not be in the set).
  int32_t countbelow(const frondControlBase* key) const;
  // Adds key (the set is used with distinct keys only).
  void insert(frondControlBase* key);
  // Removes the key at rank and hands back the node whose storage was freed
  // from the tree (null, with nothing changed, for a rank out of range).
  std::unique_ptr<node> removeat(int32_t rank);

  const node* root_node() const { return root; }

 private:
  node* root = nullptr;
};

}  // namespace frond
