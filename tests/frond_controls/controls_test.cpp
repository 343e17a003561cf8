// The control tree without a window: z-order numbers and renumbering, drawing
// order, the hit search (overlap, filter masks), key routing along the focus
// path, the focus protocol, the construction stack, and handlers that remove
// or destroy controls while a walk runs (clean under ASan).
// Depends on: the graphics fixture; opens no window.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "graphics/frond.h"
#include "graphics/state.h"
#include "support/graphics_fixture.h"

using namespace frond;

namespace {

std::vector<std::string> events;

// A control that logs what reaches it and can run a hook from any handler.
struct probe : frondControlBase {
  explicit probe(const char* label, frondControlBase* parent_control = nullptr, int px = 0, int py = 0, int w = 10,
                 int h = 10)
      : frondControlBase(0, parent_control), name(label) {
    construction_guard guard(this, 0);
    x = px;
    y = py;
    width = w;
    height = h;
    resize(main_image, w, h);
  }
  void log(const std::string& what) { events.push_back(name + ":" + what); }
  int handlemouse(int mx, int my, int flags) override {
    log("mouse " + std::to_string(mx) + "," + std::to_string(my) + (flags & MOUSEMSG_PRESS ? " press" : ""));
    if (on_mouse) on_mouse();
    return 0;
  }
  int handlekeypress(int key, int) override {
    log("down " + std::to_string(key));
    const int eat = eat_keys;
    if (on_key) on_key();  // may destroy this control
    return eat;
  }
  int handlekeyrelease(int key, int) override {
    log("up " + std::to_string(key));
    return 0;
  }
  int handlefocusgain() override { return refuse_focus; }
  void handlefocusloss() override { log("loss"); }
  void paintcontent(IMAGE* surface) const override { setbkcolor(colour, surface), cleardevice(surface); }
  void handlechildadded(frondControlBase* child) override {
    log("added visible=" + std::to_string(child->visible) + " w=" + std::to_string(child->width));
  }

  std::string name;
  argb_color colour = 0xFF000000;
  int eat_keys = 0;
  int refuse_focus = 0;
  std::function<void()> on_mouse, on_key;
};

class Controls : public frond_test::GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    events.clear();
    ASSERT_EQ(state().root_control, nullptr);
    root = new frondControlBase();  // the first control becomes the root
  }
  void TearDown() override {
    delete root;
    EXPECT_EQ(state().root_control, nullptr);
    state().focused_control = nullptr;
    GraphicsTest::TearDown();
  }
  // What reached the probes from one press, and the last probe a move reached.
  std::vector<std::string> press(int px, int py) {
    events.clear();
    root->dispatchmouse(px, py, MOUSEMSG_PRESS | MOUSEFLAG_LEFT);
    return events;
  }
  std::string move(int px, int py) {
    events.clear();
    root->dispatchmouse(px, py, MOUSEMSG_MOVE);
    return events.empty() ? "" : events.back();
  }
  std::vector<const frondControlBase*> zsorted(const frondControlBase* c) {
    std::vector<const frondControlBase*> order;
    for (int i = 0; i < c->childcount(); ++i) order.push_back(c->zsortedchild(i));
    return order;
  }
  frondControlBase* root = nullptr;
};

TEST_F(Controls, ZOrderNumbersSendToBackBringToFrontAndRenumbering) {
  probe panel("panel"), a("a", &panel), b("b", &panel), c("c", &panel);
  EXPECT_EQ(root->visible, 0u);
  EXPECT_EQ(root->direct, 1u);  // (a control without a parent goes under it: every press below)
  // addchild hands out one number and the construction a second one.
  EXPECT_EQ((std::vector<int>{a.zorder, b.zorder, c.zorder, panel.next_zorder}), (std::vector<int>{2, 4, 6, 7}));
  a.sendtoback();
  EXPECT_EQ(a.zorder, -7);
  b.sendtoback();  // a later sendtoback goes further back
  EXPECT_EQ(zsorted(&panel), (std::vector<const frondControlBase*>{&b, &a, &c}));
  a.bringtofront();
  EXPECT_EQ(zsorted(&panel), (std::vector<const frondControlBase*>{&b, &c, &a}));
  c.zlayer = 1;  // the layer comes first
  panel.sortchildren();
  EXPECT_EQ(zsorted(&panel), (std::vector<const frondControlBase*>{&b, &a, &c}));
  c.zlayer = 0;
  panel.next_zorder = 0x800001;  // past the top: renumbered 1..n in order, then n + 1
  c.bringtofront();
  EXPECT_EQ((std::vector<int>{b.zorder, a.zorder, c.zorder, panel.next_zorder}), (std::vector<int>{1, 2, 4, 5}));
  EXPECT_EQ(panel.nextid(), 0x10001);
  // Every field has its default before the parent's handler sees the child.
  probe child("child", &c);
  EXPECT_EQ(events.back(), "c:added visible=1 w=1");
}

TEST_F(Controls, TheFrontChildIsDrawnLastAndHitFirstInLocalCoordinates) {
  IMAGE target(40, 40);
  probe panel("panel", nullptr, 5, 5, 30, 30), back("back", &panel, 0, 0, 10, 10), front("front", &panel, 4, 4, 10, 10);
  panel.colour = 0xFF0000FF, back.colour = 0xFF00FF00, front.colour = 0xFFFF0000;
  events.clear();
  root->dispatchdraw(&target);
  EXPECT_EQ(frond_test::pixel(&target, 6, 6), 0xFF00FF00u);    // back only
  EXPECT_EQ(frond_test::pixel(&target, 10, 10), 0xFFFF0000u);  // both: front on top
  EXPECT_EQ(frond_test::pixel(&target, 30, 30), 0xFF0000FFu);  // the panel
  EXPECT_EQ(press(11, 12), (std::vector<std::string>{"panel:mouse 6,7 press", "front:mouse 2,3 press"}));
  front.visible = 0;  // invisible: still painted into its parent's image, neither composited nor hit
  EXPECT_EQ(press(11, 12).back(), "back:mouse 6,7 press");
  root->dispatchdraw(&target);
  EXPECT_EQ(frond_test::pixel(&target, 10, 10), 0xFF00FF00u);
}

TEST_F(Controls, AFilterPixelOfZeroLetsTheMouseThrough) {
  probe back("back", nullptr, 0, 0, 10, 10), front("front", nullptr, 0, 0, 10, 10);
  front.blend_mode = 1;
  resize(front.filter_image, 8, 8);
  setbkcolor(0, front.filter_image);  // transparent black: no pixel hits
  cleardevice(front.filter_image);
  EXPECT_EQ(move(3, 3), "back:mouse 3,3");
  putpixel(3, 3, 0xFF000000, front.filter_image);
  EXPECT_EQ(move(3, 3), "front:mouse 3,3");
  front.clearfilter();  // the whole filter image hits, and nothing outside it
  EXPECT_EQ(move(7, 7), "front:mouse 7,7");
  EXPECT_EQ(move(9, 9), "back:mouse 9,9");
  front.direct = 1;  // a direct child is hit by its rectangle alone
  EXPECT_EQ(move(9, 9), "front:mouse 9,9");
}

TEST_F(Controls, KeysFollowTheFocusPathAndAParentCanEatThem) {
  probe panel("panel", nullptr, 0, 0, 50, 50), inner("inner", &panel), other("other", &panel, 20, 20);
  press(1, 1);  // focus: panel, then inner
  events.clear();
  root->dispatchkeydown('A', 0);
  EXPECT_EQ(events, (std::vector<std::string>{"panel:down 65", "inner:down 65"}));
  events.clear();
  panel.eat_keys = 1;
  root->dispatchkeydown('B', 0);
  root->dispatchkeyup('B', 0);  // releases always go on
  EXPECT_EQ(events, (std::vector<std::string>{"panel:down 66", "panel:up 66", "inner:up 66"}));
}

TEST_F(Controls, PressesSetTheFocusPathAndASiblingTakesExactlyThatPathAway) {
  probe left("left", nullptr, 0, 0, 50, 50), inner("inner", &left, 0, 0, 10, 10);
  probe inner2("inner2", &left, 20, 0, 10, 10), right("right", nullptr, 60, 0, 50, 50);
  press(1, 1);
  EXPECT_EQ(left.focused + inner.focused, 2u);
  EXPECT_EQ(state().focused_control, &inner);
  EXPECT_EQ(root->focused, 0u);
  // A sibling inside the same parent: only inner loses it.
  EXPECT_EQ(press(21, 1),
            (std::vector<std::string>{"inner:loss", "left:mouse 21,1 press", "inner2:mouse 1,1 press"}));
  EXPECT_EQ(inner.focused, 0u);
  EXPECT_EQ(state().focused_control, &inner2);
  // The other branch: the whole old path loses it.
  EXPECT_EQ(press(61, 1), (std::vector<std::string>{"inner2:loss", "left:loss", "right:mouse 1,1 press"}));
  EXPECT_EQ(left.focused + inner2.focused, 0u);
  left.refuse_focus = 1;  // refused: no focus change, but the event still arrives
  EXPECT_EQ(press(1, 1).back(), "inner:mouse 1,1 press");
  EXPECT_EQ(left.focused, 0u);
}

TEST_F(Controls, DestroyingOrRemovingTheFocusedControlMovesTheFocusUp) {
  probe left("left", nullptr, 0, 0, 50, 50), right("right", nullptr, 60, 0, 50, 50);
  auto* inner = new probe("inner", &left);
  press(1, 1);
  ASSERT_EQ(state().focused_control, inner);
  delete inner;
  EXPECT_EQ(state().focused_control, &left);
  EXPECT_EQ(left.childcount(), 0);
  press(61, 1);  // the old path loses the focus without touching the dead control
  EXPECT_EQ(state().focused_control, &right);
  EXPECT_EQ(left.focused, 0u);
  EXPECT_EQ(root->removechild(&right), 1);
  EXPECT_EQ(root->removechild(&right), 0);
  EXPECT_EQ(state().focused_control, nullptr);
  EXPECT_EQ(right.focused, 0u);
  root->addchild(&right);
}

TEST_F(Controls, DestroyedControlsHandTheirChildrenOnOrDetachThem) {
  probe keep("keep");
  auto* middle = new probe("middle");
  probe a("a", middle), b("b", middle);
  delete middle;
  EXPECT_EQ(a.parent, root);
  EXPECT_EQ(b.parent, root);
  auto* detached = new probe("detached");
  probe c("c", detached);
  root->removechild(detached);
  delete detached;  // no parent: the children are detached, not left dangling
  EXPECT_EQ(c.parent, nullptr);
  EXPECT_EQ(root->addchild(root), 0);  // no cycles
  EXPECT_EQ(root->parent, nullptr);
}

TEST_F(Controls, TheConstructionStackMakesChildrenAndTheGuardPopsOnlyItsOwn) {
  struct composite : frondControlBase {
    composite() : frondControlBase(1, nullptr) {
      construction_guard guard(this, 1);
      part = new probe("part");  // no parent given: the control under construction
      stray = new frondControlBase(2, nullptr);  // pushes itself and has no guard
    }
    ~composite() {
      delete part;
      delete stray;
    }
    probe* part;
    frondControlBase* stray;
  };
  auto* outer = new composite();
  EXPECT_EQ(outer->part->parent, outer);
  EXPECT_EQ(outer->stray->parent, outer);
  probe after("after");  // the guard left the stray entry alone, so it is the parent
  EXPECT_EQ(after.parent, outer->stray);
  root->addchild(&after);
  delete outer;  // takes its dead entry off the stack
  EXPECT_EQ(popconstruction(), 0);
  probe last("last");
  EXPECT_EQ(last.parent, root);
}

TEST_F(Controls, HandlersMayRemoveOrDestroyControlsDuringWalks) {
  auto* panel = new probe("panel", nullptr, 0, 0, 50, 50);
  auto* victim = new probe("victim", panel, 0, 0, 50, 50);
  auto* killer = new probe("killer", panel, 0, 0, 50, 50);
  killer->on_mouse = [&] { delete victim; };
  press(1, 1);
  EXPECT_EQ(panel->childcount(), 1);
  killer->on_mouse = [&] { delete panel; };  // its own parent, mid-walk
  press(2, 2);
  EXPECT_EQ(killer->parent, root);
  auto* sibling = new probe("sibling", nullptr, 0, 0, 5, 5);
  sibling->focused = killer->focused = 1;
  killer->on_key = [&] { delete sibling; };
  root->dispatchkeydown('K', 0);
  root->dispatchupdate();
  IMAGE target(60, 60);
  root->dispatchdraw(&target);
  killer->on_key = [&] { delete killer; };
  root->dispatchkeydown('K', 0);
  EXPECT_EQ(root->childcount(), 0);
  EXPECT_EQ(state().focused_control, nullptr);
}

}  // namespace
