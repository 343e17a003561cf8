// Controls: the control class with its handler slots, the construction
// stack, the child lists and z-order, and the walks that draw the tree and
// route keys, mouse events and updates down it, with the focus protocol.
// Walks survive handlers that add, remove or destroy controls: children are
// found afresh by address or checked for membership before each use, and a
// walk whose own control is destroyed stops at once.
// Depends on: images, block copies, alpha filter, pixels, state (drawing
// target, root and focus fields), the child set.
// Does not: lock anything (one thread walks the tree at a time).

#include "graphics/controls.h"

#include <algorithm>

#include "graphics/ranktree.h"
#include "graphics/state.h"

namespace frond {
namespace {

// Controls whose constructors are running, innermost last. Never destroyed:
// controls destroyed at exit may still look at it.
std::vector<frondControlBase*>& construction_stack() {
  static auto* stack = new std::vector<frondControlBase*>();
  return *stack;
}

// One control being walked; the destructor marks the frames of its control dead.
struct walk_frame {
  explicit walk_frame(frondControlBase* walked) : control(walked), outer(innermost) { innermost = this; }
  ~walk_frame() { innermost = outer; }
  walk_frame(const walk_frame&) = delete;
  walk_frame& operator=(const walk_frame&) = delete;

  frondControlBase* const control;
  bool alive = true;
  walk_frame* const outer;
  static walk_frame* innermost;
};
walk_frame* walk_frame::innermost = nullptr;

void mark_walks_dead(const frondControlBase* control) {
  for (walk_frame* f = walk_frame::innermost; f != nullptr; f = f->outer)
    if (f->control == control) f->alive = false;
}

// Runs a handler with `target` as the drawing target, restoring the previous one.
template <class Call>
void with_target(IMAGE* target, Call call) {
  IMAGE* saved = gettarget();
  settarget(target);
  call();
  settarget(saved);
}

bool zorderless(const frondControlBase* a, const frondControlBase* b) {
  if (a->zlayer != b->zlayer) return a->zlayer < b->zlayer;
  if (a->zorder != b->zorder) return a->zorder < b->zorder;
  return reinterpret_cast<uintptr_t>(a) < reinterpret_cast<uintptr_t>(b);
}

bool is_within(const frondControlBase* control, const frondControlBase* ancestor) {
  for (; control != nullptr; control = control->parent)
    if (control == ancestor) return true;
  return false;
}

// Takes the focus path out of `subtree` when the focused control lies in it:
// the controls from the focused one up to `subtree` lose the focus, and the
// focus moves to the nearest ancestor of `subtree` still on the path.
void leave_focus_path(frondControlBase* subtree) {
  graphics_state& s = state();
  frondControlBase* focus = s.focused_control;
  if (focus == nullptr || !is_within(focus, subtree)) return;
  for (frondControlBase* c = focus;; c = c->parent) {
    c->handlefocusloss();
    c->focused = 0;
    if (c == subtree) break;
  }
  frondControlBase* heir = subtree->parent;
  while (heir != nullptr && heir->focused == 0) heir = heir->parent;
  s.focused_control = heir;
}

// Whether a point in the parent's coordinates hits the child.
bool hits(const frondControlBase* c, int lx, int ly) {
  if (!c->visible || !c->enabled) return false;
  if (lx < c->x || ly < c->y || int64_t(lx) >= int64_t(c->x) + c->width || int64_t(ly) >= int64_t(c->y) + c->height)
    return false;
  if (c->blend_mode != 0 && c->direct == 0) return getpixel(lx - c->x, ly - c->y, c->filter_image) != 0;
  return true;
}

}  // namespace

frondControlBase::frondControlBase() { initcontrol(nullptr); }

frondControlBase::frondControlBase(int level, frondControlBase* parent_control) {
  std::vector<frondControlBase*>& stack = construction_stack();
  if (!stack.empty() && parent_control == nullptr) parent_control = stack.back();
  construct_level = level;
  stack.push_back(this);
  initcontrol(parent_control);
}

frondControlBase::~frondControlBase() {
  mark_walks_dead(this);
  leave_focus_path(this);
  std::vector<frondControlBase*>& stack = construction_stack();
  stack.erase(std::remove(stack.begin(), stack.end(), this), stack.end());
  // The children go to the parent, in ascending address order, or are detached.
  frondControlBase* heir = parent;
  if (heir != nullptr) heir->removechild(this);
  while (children && children->size() > 0) {
    frondControlBase* child = children->itemat(0);
    if (heir != nullptr)
      heir->addchild(child);
    else
      removechild(child);
  }
  graphics_state& s = state();
  if (s.root_control == this) s.root_control = nullptr;
  delimage(main_image);
  delimage(filter_image);
}

void frondControlBase::initcontrol(frondControlBase* parent_control) {
  // Every field has its default (from the class) before addchild or a
  // handler can read it.
  main_image = newimage();
  filter_image = newimage();
  graphics_state& s = state();
  if (s.root_control == nullptr) {
    s.root_control = this;
    visible = enabled = 0;
    direct = 1;
    width = getwidth(nullptr);
    height = getheight(nullptr);
    return;
  }
  visible = enabled = 1;
  frondControlBase* p = parent_control != nullptr ? parent_control : s.root_control;
  p->addchild(this);
  zorder = p->nextzorder();
  p->sortchildren();
}

LRESULT frondControlBase::handlewindowmessage(UINT, WPARAM, LPARAM) { return 0; }
int frondControlBase::handlemouse(int, int, int) { return 0; }
int frondControlBase::handlekeypress(int, int) { return 0; }
int frondControlBase::handlekeyrelease(int, int) { return 0; }
int frondControlBase::handlechar(int, int) { return 0; }
int frondControlBase::handleupdate() { return 0; }
int frondControlBase::handlefocusgain() { return 0; }
void frondControlBase::handlefocusloss() {}
void frondControlBase::sparehook1() {}
void frondControlBase::sparehook2() {}
void frondControlBase::paintcontent(IMAGE*) const {}
void frondControlBase::clearfilter() {
  setbkcolor(0xFF000000, filter_image);
  cleardevice(filter_image);
}
void frondControlBase::handlechildadded(frondControlBase*) {}
void frondControlBase::handlechildremoved(frondControlBase*) {}
void frondControlBase::sparehook3() {}

int frondControlBase::addchild(frondControlBase* child) {
  if (child == nullptr || child == this || is_within(this, child)) return 0;  // no cycles
  if (!children) {
    children.reset(new ranktree());
    zsorted_children.reset(new std::vector<frondControlBase*>());
    zsorted_children->reserve(8);
  }
  if (child->parent != nullptr) child->parent->removechild(child);
  if (children->indexof(child) < 0) {
    children->insert(child);
    ++child_changes;
    zsorted_children->push_back(child);
  }
  child->parent = this;
  child->zorder = nextzorder();
  sortchildren();
  handlechildadded(child);
  return 0;
}

int frondControlBase::removechild(frondControlBase* child) {
  if (!children) return 0;
  const int32_t rank = children->indexof(child);
  if (rank < 0) return 0;
  handlechildremoved(child);
  if (children->indexof(child) != rank) return 0;  // the handler moved it already
  leave_focus_path(child);
  children->removeat(rank);
  ++child_changes;
  child->parent = nullptr;
  zsorted_children->erase(std::find(zsorted_children->begin(), zsorted_children->end(), child));
  sortchildren();
  return 1;
}

void frondControlBase::sortchildren() {
  if (zsorted_children) std::sort(zsorted_children->begin(), zsorted_children->end(), zorderless);
}

void frondControlBase::renumberzorder() {
  if (!zsorted_children) return;
  int32_t z = 0;
  for (frondControlBase* child : *zsorted_children) child->zorder = ++z;
  next_zorder = z + 1;
}

int frondControlBase::nextzorder() {
  if (next_zorder > 0x800000 && children) renumberzorder();
  return next_zorder++;
}

int frondControlBase::nextid() { return int(++next_id); }

void frondControlBase::bringtofront() {
  if (parent == nullptr) return;
  zorder = parent->nextzorder();
  parent->sortchildren();
}

void frondControlBase::sendtoback() {
  if (parent == nullptr) return;
  zorder = -parent->nextzorder();
  parent->sortchildren();
}

void frondControlBase::setzorder(int z) {
  zorder = z;
  if (parent != nullptr) parent->sortchildren();
}

int frondControlBase::childcount() const { return children ? int(children->size()) : 0; }

frondControlBase* frondControlBase::zsortedchild(int index) const {
  if (!zsorted_children || index < 0 || size_t(index) >= zsorted_children->size()) return nullptr;
  return (*zsorted_children)[size_t(index)];
}

// The child below `bound` by address (the highest for null). `at` holds the
// node found last and the child_changes seen then: while nothing was added
// or removed the next child is that node's neighbour, otherwise it is found
// afresh from the address, so that a walk never steps on a child twice or
// past the end.
frondControlBase* frondControlBase::childbelow(const frondControlBase* bound, walk_position* at) const {
  if (!children) return nullptr;
  if (bound == nullptr)
    at->node = children->nodeat(children->size() - 1);
  else if (at->changes == child_changes)
    at->node = ranktree::previous(at->node);
  else
    at->node = children->nodeat(children->countbelow(bound) - 1);
  at->changes = child_changes;
  return at->node ? at->node->key : nullptr;
}

// The child above `bound` by address (the lowest for null), likewise.
frondControlBase* frondControlBase::childabove(const frondControlBase* bound, walk_position* at) const {
  if (!children) return nullptr;
  if (bound == nullptr) {
    at->node = children->nodeat(0);
  } else if (at->changes == child_changes) {
    at->node = ranktree::next(at->node);
  } else {
    const auto after = reinterpret_cast<const frondControlBase*>(reinterpret_cast<uintptr_t>(bound) + 1);
    at->node = children->nodeat(children->countbelow(after));
  }
  at->changes = child_changes;
  return at->node ? at->node->key : nullptr;
}

template <class Handler, class Pass>
void frondControlBase::keywalk(bool consumable, Handler handler, Pass pass) {
  walk_frame frame(this);
  int result = 0;
  with_target(main_image, [&] { result = handler(); });
  if (!frame.alive || (consumable && result != 0)) return;
  walk_position at;
  for (frondControlBase* child = childbelow(nullptr, &at); child != nullptr; child = childbelow(child, &at)) {
    if (child->visible && child->enabled && child->focused) pass(child);
    if (!frame.alive) return;
  }
}

void frondControlBase::dispatchkeydown(int key, int flags) {
  keywalk(
      true, [&] { return handlekeypress(key, flags); }, [&](frondControlBase* c) { c->dispatchkeydown(key, flags); });
}

void frondControlBase::dispatchkeyup(int key, int flags) {
  keywalk(
      false, [&] { return handlekeyrelease(key, flags); }, [&](frondControlBase* c) { c->dispatchkeyup(key, flags); });
}

void frondControlBase::dispatchchar(int character, int flags) {
  keywalk(
      false, [&] { return handlechar(character, flags); },
      [&](frondControlBase* c) { c->dispatchchar(character, flags); });
}

void frondControlBase::dispatchupdate() {
  walk_frame frame(this);
  if (parent == nullptr) {
    width = getwidth(nullptr);
    height = getheight(nullptr);
  }
  walk_position at;
  for (frondControlBase* child = childabove(nullptr, &at); child != nullptr; child = childabove(child, &at)) {
    child->dispatchupdate();
    if (!frame.alive) return;
  }
  with_target(main_image, [&] { handleupdate(); });
}

void frondControlBase::dispatchdraw(IMAGE* target) {
  walk_frame frame(this);
  IMAGE* surface = parent != nullptr && direct == 0 ? main_image : target;
  with_target(surface, [&] { paintcontent(surface); });
  if (!frame.alive) return;
  // By index over the live array: a child that a paint handler removes or
  // adds shifts the rest, which may skip or repeat one, never reach past the end.
  for (size_t i = 0; zsorted_children && i < zsorted_children->size(); ++i) {
    (*zsorted_children)[i]->dispatchdraw(surface);
    if (!frame.alive) return;
  }
  if (direct || !visible) return;
  if (blend_mode == 0)
    main_image->putimage(target, x, y, rop);
  else if (blend_mode == 1)
    main_image->putimage_alphafilter(target, x, y, filter_image, 0, 0, 0, 0);
}

void frondControlBase::dispatchmouse(int mx, int my, int flags) {
  walk_frame frame(this);
  const int lx = mx - x, ly = my - y;
  int consumed = 0;
  with_target(main_image, [&] { consumed = handlemouse(lx, ly, flags); });
  if (!frame.alive || consumed != 0 || !zsorted_children) return;
  // A copy: handlers may change the live array. Each copied child is checked
  // to be a child still before it is used, since it may have been destroyed.
  const std::vector<frondControlBase*> copy = *zsorted_children;
  auto still_child = [&](frondControlBase* c) { return children && children->indexof(c) >= 0; };
  size_t start = copy.size();
  for (size_t i = copy.size(); i-- > 0;) {
    if (still_child(copy[i]) && copy[i]->mouse_capture) {
      copy[i]->dispatchmouse(lx, ly, flags);
      if (!frame.alive) return;
      start = i + 1;
      break;
    }
  }
  frondControlBase* hit = nullptr;
  for (size_t i = start; i-- > 0;) {
    if (still_child(copy[i]) && hits(copy[i], lx, ly)) {
      hit = copy[i];
      break;
    }
  }
  if (hit == nullptr) return;
  if (flags & MOUSEMSG_PRESS) {
    walk_frame hit_frame(hit);
    int refused = 0;
    with_target(hit->main_image, [&] { refused = hit->handlefocusgain(); });
    if (!frame.alive || !hit_frame.alive) return;
    if (refused == 0 && hit->parent == this) {
      hit->focused = 1;
      hit->zorder = nextzorder();
      sortchildren();
      graphics_state& s = state();
      frondControlBase* f = s.focused_control;
      if (f != nullptr && f != hit && f != this) {
        // The old path loses the focus up to where it meets the new one.
        while (f->parent != nullptr) {
          walk_frame loss_frame(f);
          frondControlBase* up = f->parent;
          with_target(f->main_image, [&] { f->handlefocusloss(); });
          if (loss_frame.alive) f->focused = 0;
          if (!frame.alive || !hit_frame.alive) return;
          f = up;
          if (f == hit) break;
        }
      }
      s.focused_control = hit;
    }
  }
  if (still_child(hit)) hit->dispatchmouse(lx, ly, flags);
}

void make_root_control() {
  static frondControlBase root;  // made on the first initgraph, destroyed at exit
}

construction_guard::construction_guard(frondControlBase* guarded, int guard_level)
    : control(guarded), level(guard_level) {}

construction_guard::~construction_guard() {
  std::vector<frondControlBase*>& stack = construction_stack();
  // Only its own control: an entry left by another constructor stays.
  if (!stack.empty() && stack.back() == control && control->construct_level == level) stack.pop_back();
}

int popconstruction() {
  std::vector<frondControlBase*>& stack = construction_stack();
  if (!stack.empty()) stack.pop_back();
  return int(stack.size());
}

}  // namespace frond
