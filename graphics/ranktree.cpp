// The size-balanced child set: insertion keeps the tree balanced by the
// size-balanced-tree rule; lookups by rank and by key and removal by rank
// each walk once from the root. Removal does not rebalance.
// Depends on nothing; the keys are compared by address only, never used.

#include "graphics/ranktree.h"

#include <cstdint>

namespace frond {
namespace {

using node = ranktree::node;

int32_t size_of(const node* n) { return n ? n->size : 0; }

void resize(node* n) { n->size = size_of(n->left) + size_of(n->right) + 1; }

bool less(const frondControlBase* a, const frondControlBase* b) {
  return reinterpret_cast<uintptr_t>(a) < reinterpret_cast<uintptr_t>(b);
}

// The left child takes t's place; t becomes its right child.
node* rotate_right(node* t) {
  node* n = t->left;
  t->left = n->right;
  if (t->left) t->left->up = t;
  n->right = t;
  n->up = t->up;
  t->up = n;
  n->size = t->size;
  resize(t);
  return n;
}

// The right child takes t's place; t becomes its left child.
node* rotate_left(node* t) {
  node* n = t->right;
  t->right = n->left;
  if (t->right) t->right->up = t;
  n->left = t;
  n->up = t->up;
  t->up = n;
  n->size = t->size;
  resize(t);
  return n;
}

// Restores balance at t after its left (rightgrew false) or right subtree
// grew; returns the node that now heads the subtree.
node* maintain(node* t, bool rightgrew) {
  if (t == nullptr) return t;
  if (!rightgrew) {
    node* l = t->left;
    if (l == nullptr) return t;
    if (size_of(l->left) > size_of(t->right)) {
      t = rotate_right(t);
    } else if (size_of(l->right) > size_of(t->right)) {
      t->left = rotate_left(l);
      t = rotate_right(t);
    } else {
      return t;
    }
  } else {
    node* r = t->right;
    if (r == nullptr) return t;
    if (size_of(r->right) > size_of(t->left)) {
      t = rotate_left(t);
    } else if (size_of(r->left) > size_of(t->left)) {
      t->right = rotate_right(r);
      t = rotate_left(t);
    } else {
      return t;
    }
  }
  t->left = maintain(t->left, false);
  t->right = maintain(t->right, true);
  t = maintain(t, false);
  return maintain(t, true);
}

void insert_at(node*& slot, node* above, frondControlBase* key) {
  node* n = slot;
  if (n == nullptr) {
    slot = new node{nullptr, nullptr, above, 1, key};
    return;
  }
  const bool right = !less(key, n->key);
  insert_at(right ? n->right : n->left, n, key);
  ++n->size;
  slot = maintain(n, right);
}

// Unlinks the node at rank (in range) below `slot`, shrinking every node on the way.
node* remove_at(node*& slot, int32_t rank) {
  node** at = &slot;
  for (;;) {
    node* n = *at;
    --n->size;
    const int32_t left = size_of(n->left);
    if (rank == left) break;
    if (rank < left) {
      at = &n->left;
    } else {
      rank -= left + 1;
      at = &n->right;
    }
  }
  node* x = *at;
  if (x->left && x->right) {
    // The in-order predecessor (the last node of the left subtree) has no
    // right child: unlink it and let its key take x's place.
    node* predecessor = remove_at(x->left, size_of(x->left) - 1);
    x->key = predecessor->key;
    return predecessor;
  }
  node* child = x->left ? x->left : x->right;
  if (child) child->up = x->up;
  *at = child;
  return x;
}

void free_nodes(node* n) {
  while (n) {
    free_nodes(n->left);
    node* right = n->right;
    delete n;
    n = right;
  }
}

}  // namespace

ranktree::~ranktree() { free_nodes(root); }

int32_t ranktree::size() const { return size_of(root); }

const ranktree::node* ranktree::nodeat(int32_t rank) const {
  if (rank < 0 || rank >= size()) return nullptr;
  const node* n = root;
  for (;;) {
    const int32_t left = size_of(n->left);
    if (rank == left) return n;
    if (rank < left) {
      n = n->left;
    } else {
      rank -= left + 1;
      n = n->right;
    }
  }
}

frondControlBase* ranktree::itemat(int32_t rank) const {
  const node* n = nodeat(rank);
  return n ? n->key : nullptr;
}

const ranktree::node* ranktree::next(const node* n) {
  if (n->right) {
    n = n->right;
    while (n->left) n = n->left;
    return n;
  }
  while (n->up && n->up->right == n) n = n->up;
  return n->up;
}

const ranktree::node* ranktree::previous(const node* n) {
  if (n->left) {
    n = n->left;
    while (n->right) n = n->right;
    return n;
  }
  while (n->up && n->up->left == n) n = n->up;
  return n->up;
}

int32_t ranktree::indexof(const frondControlBase* key) const {
  int32_t before = 0;  // keys known to precede key
  for (const node* n = root; n;) {
    if (n->key == key) return before + size_of(n->left);
    if (less(n->key, key)) {
      before += size_of(n->left) + 1;
      n = n->right;
    } else {
      n = n->left;
    }
  }
  return -1;
}

int32_t ranktree::countbelow(const frondControlBase* key) const {
  int32_t below = 0;
  for (const node* n = root; n;) {
    if (less(n->key, key)) {
      below += size_of(n->left) + 1;
      n = n->right;
    } else {
      n = n->left;
    }
  }
  return below;
}

void ranktree::insert(frondControlBase* key) { insert_at(root, nullptr, key); }

std::unique_ptr<ranktree::node> ranktree::removeat(int32_t rank) {
  if (rank < 0 || rank >= size()) return nullptr;
  node* removed = remove_at(root, rank);
  removed->left = removed->right = removed->up = nullptr;  // no links into the tree
  return std::unique_ptr<node>(removed);
}

}  // namespace frond
