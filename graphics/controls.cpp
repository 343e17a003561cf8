// Controls: the control class with its handler slots, root election and the
// dispatch walks over the root. Controls below the root (the child set, the
// z-order and the hit search) are not part of the tree yet: only the root
// that initgraph makes takes part in the walks.
// Depends on: images, state (drawing target, root and focus fields).

#include "graphics/controls.h"

#include "graphics/state.h"

namespace frond {
namespace {

// Runs a handler with `target` as the drawing target, restoring the previous one.
template <class Call>
auto with_target(IMAGE* target, Call call) {
  IMAGE* saved = gettarget();
  settarget(target);
  auto result = call();
  settarget(saved);
  return result;
}

}  // namespace

frondControlBase::frondControlBase() { initcontrol(nullptr); }

frondControlBase::frondControlBase(int level, frondControlBase* parent_control) : construct_level(level) {
  initcontrol(parent_control);
}

frondControlBase::~frondControlBase() {
  if (state().root_control == this) state().root_control = nullptr;
  delimage(main_image);
  delimage(filter_image);
}

void frondControlBase::initcontrol(frondControlBase*) {
  parent = nullptr;
  main_image = newimage();
  filter_image = newimage();
  graphics_state& s = state();
  if (s.root_control == nullptr) {
    s.root_control = this;
    visible = enabled = 0;
    direct = 1;
    zorder = 0;
    width = getwidth(nullptr);
    height = getheight(nullptr);
  } else {
    visible = enabled = 1;
    direct = 0;
    zorder = 0;
    width = height = 1;
  }
  next_id = 0x10000;
  next_zorder = 1;
  x = y = 0;
  focused = window_focus = mouse_capture = 0;
  zlayer = 0;
  rop = SRCCOPY;
  blend_mode = 0;
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

void frondControlBase::dispatchkeydown(int key, int flags) {
  with_target(main_image, [&] { return handlekeypress(key, flags); });
}

void frondControlBase::dispatchkeyup(int key, int flags) {
  with_target(main_image, [&] { return handlekeyrelease(key, flags); });
}

void frondControlBase::dispatchchar(int character, int flags) {
  with_target(main_image, [&] { return handlechar(character, flags); });
}

void frondControlBase::dispatchmouse(int mx, int my, int flags) {
  with_target(main_image, [&] { return handlemouse(mx - x, my - y, flags); });
}

void frondControlBase::dispatchupdate() {
  if (parent == nullptr) {
    width = getwidth(nullptr);
    height = getheight(nullptr);
  }
  with_target(main_image, [&] { return handleupdate(); });
}

void frondControlBase::dispatchdraw(IMAGE* target) {
  IMAGE* surface = parent != nullptr && direct == 0 ? main_image : target;
  with_target(surface, [&] {
    paintcontent(surface);
    return 0;
  });
}

int frondControlBase::nextid() { return int(++next_id); }

void make_root_control() {
  static frondControlBase root;  // made on the first initgraph, destroyed at exit
}

}  // namespace frond
