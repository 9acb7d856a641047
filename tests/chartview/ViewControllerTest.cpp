#include "chartview/ViewController.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "ControllerFixture.h"
#include "chartview/ContextMenus.h"

namespace plume::chartview {
namespace {

using document::Rect;

class ViewControllerTest : public ::testing::Test, protected testing::ControllerFixture {};

TEST_F(ViewControllerTest, FourPixelDragLeavesNodeButMovesSlip) {
  const int n = Node({100, 100, 200, 160});
  const int s = Slip({400, 100, 500, 160});
  Drag(150, 130, 154, 130);
  EXPECT_EQ(doc->nodes[n].rect, (Rect{100, 100, 200, 160}));
  EXPECT_EQ(doc->focusedNode, n);
  EXPECT_FALSE(view.CanUndo());  // a dropped move is no step
  Drag(450, 130, 454, 130);
  EXPECT_EQ(doc->slips[s].rect, (Rect{404, 100, 504, 160}));
  EXPECT_EQ(doc->History().NextUndo(), document::EditStep::Move);
  // Two pixels is still no slip move; five pixels move a node.
  Drag(452, 130, 454, 132);
  EXPECT_EQ(doc->slips[s].rect, (Rect{404, 100, 504, 160}));
  Drag(150, 130, 150, 125);
  EXPECT_EQ(doc->nodes[n].rect, (Rect{100, 95, 200, 155}));
}

TEST_F(ViewControllerTest, PointerAnimationTargetsTheTopUnselectedItem) {
  const int n = Node({100, 100, 200, 160});
  const int s = Slip({150, 100, 250, 160});
  doc->nodeStates[n].selected = 0;
  doc->slips[s].selected = 0;
  struct Case {
    platform::Point at;
    ItemKind kind;
    int index;
  };
  for (const Case& c : {Case{{120, 130}, ItemKind::Nodes, n}, Case{{180, 130}, ItemKind::Slips, s},
                        Case{{600, 600}, ItemKind::Nodes, -1}}) {
    const auto target = controller.AnimationTarget(c.at);
    EXPECT_EQ(target.index, c.index) << c.at.x;
    if (c.index >= 0) {
      EXPECT_EQ(target.kind, c.kind) << c.at.x;
    }
  }
  doc->slips[s].selected = 1;  // a selected item is not circled
  EXPECT_EQ(controller.AnimationTarget({180, 130}).index, -1);
  EXPECT_EQ(controller.Hovered().index, -1);
}

TEST_F(ViewControllerTest, DragFeedbackNeverRepaintsAndOneRepaintEndsTheMove) {
  const int n = Node({100, 100, 200, 160});
  Down(150, 130);
  const int repaintsAtStart = host.repaints;
  for (int x = 151; x < 200; ++x) Move(x, 130);
  EXPECT_EQ(host.repaints, repaintsAtStart);
  EXPECT_EQ(host.feedbacks, 49);
  // Outline of the focused node grown by its frame, following the pointer.
  EXPECT_EQ(host.lastFeedback, (platform::IntRect{148, 99, 250, 161}));
  EXPECT_EQ(host.cursor, CursorRole::Move);
  Up(199, 130);
  EXPECT_EQ(host.repaints, repaintsAtStart + 1);
  EXPECT_GE(host.erases, 1);
  EXPECT_EQ(doc->nodes[n].rect, (Rect{149, 100, 249, 160}));
  EXPECT_EQ(host.modified, 1);
  EXPECT_EQ(controller.Mode(), DragMode::None);
}

TEST_F(ViewControllerTest, ArrowKeysMoveByZoomedStepsWithOneUnitAtLeast) {
  const int n = Node({100, 100, 200, 160});
  const int s = Slip({300, 300, 400, 360});
  Down(150, 130);
  Up(150, 130);
  doc->slips[s].selected = 1;
  doc->focusedSlip = s;
  view.SetZoom(2.0f);
  controller.KeyDown({Key::Right, true});
  EXPECT_EQ(doc->nodes[n].rect, (Rect{101, 100, 201, 160}));
  EXPECT_EQ(doc->slips[s].rect, (Rect{301, 300, 401, 360}));
  view.SetZoom(3.0f);
  controller.KeyDown({Key::Right, false});
  EXPECT_EQ(doc->nodes[n].rect, (Rect{104, 100, 204, 160}));
  controller.KeyDown({Key::Up, true});
  EXPECT_EQ(doc->nodes[n].rect.top, 99);
  controller.KeyDown({Key::Delete, false});
  controller.KeyDown({Key::A, true});
  controller.KeyDown({Key::A, false});
  EXPECT_EQ(host.commands, (std::vector<int>{32795, 32784}));
}

TEST_F(ViewControllerTest, NodeDroppedOnAnotherPagesTabLandsThereClamped) {
  // GIVEN a node on page 1 and the tab of page 2 below the view
  const int n = Node({100, 100, 200, 160}, 1, 2);
  doc->pages[1].pageHeight = 600;
  doc->pages[1].scrollY = 0;
  Down(150, 130);
  Move(150, 400);
  // WHEN the pointer passes over the tab and the button is let go there
  Move(50, 700, {50, 2010});
  EXPECT_EQ(doc->header.currentPage, 1);
  EXPECT_EQ(host.pagesShown, 1);
  EXPECT_EQ(doc->nodeStates[n].selected, 1);  // the switch keeps the selection
  Up(50, 700);
  // THEN the node is on page 2, its frame pulled inside the 600-unit page
  EXPECT_EQ(doc->nodes[n].pageId, 2);
  EXPECT_EQ(doc->nodes[n].rect, (Rect{4, 537, 104, 597}));  // frame at 2 .. 599
  EXPECT_EQ(doc->pages[0].scrollY, 0);
}

TEST_F(ViewControllerTest, DropOfTwoNodesOnUnselectedNodeTogglesTheirArcs) {
  const int t = Node({500, 500, 600, 560});
  const int a = Node({100, 100, 200, 160});
  const int b = Node({100, 300, 200, 360});
  const int other = Node({800, 800, 900, 860});
  AddArc(other, t);
  AddArc(t, a);
  AddArc(a, other);
  Down(150, 130);
  Up(150, 130);
  Down(150, 330, mouse::kLeft | mouse::kCtrl);
  Up(150, 330);
  Drag(150, 130, 550, 530);
  EXPECT_EQ(doc->arcCount, 3);
  EXPECT_EQ(doc->arcs[0].fromNode, doc->nodes[other].nodeId);
  EXPECT_EQ(doc->arcs[1].fromNode, doc->nodes[a].nodeId);  // order of the rest kept
  EXPECT_EQ(doc->arcs[2].fromNode, doc->nodes[t].nodeId);
  EXPECT_EQ(doc->arcs[2].toNode, doc->nodes[b].nodeId);
  EXPECT_EQ(doc->nodes[a].rect, (Rect{100, 100, 200, 160}));  // nothing moved
  EXPECT_EQ(doc->History().NextUndo(), document::EditStep::Arcs);
  EXPECT_EQ(host.modified, 1);
}

TEST_F(ViewControllerTest, DropOnSelectedNodeIsAMove) {
  const int a = Node({100, 100, 200, 160});
  const int b = Node({400, 100, 500, 160});
  Down(150, 130);
  Up(150, 130);
  Down(450, 130, mouse::kLeft | mouse::kCtrl);
  Up(450, 130);
  Drag(150, 130, 450, 130);
  EXPECT_EQ(doc->arcCount, 0);
  EXPECT_EQ(doc->nodes[a].rect, (Rect{400, 100, 500, 160}));
  EXPECT_EQ(doc->nodes[b].rect, (Rect{700, 100, 800, 160}));
}

TEST_F(ViewControllerTest, ArcBeyondCapacityIsRefusedWithAMessage) {
  const int t = Node({500, 500, 600, 560});
  Node({100, 100, 200, 160});
  doc->arcCount = document::ChartDocument::kMaxArcs;
  for (int i = 0; i < doc->arcCount; ++i) doc->arcs[i] = {90000 + i, 90001 + i};
  Drag(150, 130, 550, 530);
  EXPECT_EQ(doc->arcCount, document::ChartDocument::kMaxArcs);
  ASSERT_EQ(sink.Ids(), (std::vector<int>{30370}));
  EXPECT_EQ(sink.Last().prefix, "10001 > 10000\n");
  (void)t;
}

TEST_F(ViewControllerTest, RubberBandMustExceedTenPixels) {
  const int n = Node({100, 100, 105, 105});
  Drag(95, 95, 106, 106);  // 11 x 11
  EXPECT_EQ(doc->nodeStates[n].selected, 1);
  EXPECT_EQ(doc->focusedNode, n);
  EXPECT_EQ(controller.RubberKinds(), 1);
  Drag(98, 80, 108, 110);  // 10 wide, around the node
  EXPECT_EQ(doc->nodeStates[n].selected, 0);
  EXPECT_EQ(doc->focusedNode, -1);
  EXPECT_EQ(controller.RubberKinds(), 0);
}

TEST_F(ViewControllerTest, RubberBandSelectsOnlyWholeItemsOfTheCurrentPageHighestFocused) {
  const int a = Node({100, 100, 150, 150});
  const int b = Node({200, 100, 250, 150});
  const int partly = Node({280, 100, 350, 150});
  const int elsewhere = Node({120, 120, 140, 140}, 2);
  Drag(90, 90, 300, 200);
  EXPECT_TRUE(doc->nodeStates[a].selected && doc->nodeStates[b].selected);
  EXPECT_FALSE(doc->nodeStates[partly].selected || doc->nodeStates[elsewhere].selected);
  EXPECT_EQ(doc->focusedNode, b);
}

TEST_F(ViewControllerTest, MixedRubberBandAsksWithTheSelMenu) {
  const int n = Node({100, 100, 150, 150});
  const int s = Slip({200, 100, 250, 150});
  host.menuAnswer = ContextMenus::kCmdSelectSlipsInBand;
  Drag(90, 90, 300, 200);
  ASSERT_EQ(host.menus.size(), 1u);
  const ContextMenu& menu = host.menus[0];
  EXPECT_EQ(menu.id, MenuId::Sel);
  EXPECT_TRUE(menu.Find(32862)->enabled);
  EXPECT_TRUE(menu.Find(32863)->enabled);
  EXPECT_EQ(doc->nodeStates[n].selected, 0);
  EXPECT_EQ(doc->slips[s].selected, 1);
  EXPECT_EQ(doc->focusedSlip, s);
  EXPECT_EQ(ContextMenus::Sel(1).Find(32863)->enabled, false);
}

TEST_F(ViewControllerTest, ShiftClickOnOnlySelectedNodeKeepsStaleFocus) {
  const int a = Node({100, 100, 200, 160});
  const int b = Node({300, 100, 400, 160});
  Down(150, 130);
  Up(150, 130);
  Down(150, 130, mouse::kLeft | mouse::kShift);
  Up(150, 130);
  EXPECT_EQ(doc->nodeStates[a].selected, 0);
  EXPECT_EQ(doc->focusedNode, a);
  EXPECT_EQ(controller.Mode(), DragMode::None);
  // With another node selected, the focus moves to the lowest selected one.
  Down(150, 130, mouse::kLeft | mouse::kCtrl);
  Down(350, 130, mouse::kLeft | mouse::kCtrl);
  Down(350, 130, mouse::kLeft | mouse::kShift);
  EXPECT_EQ(doc->focusedNode, a);
  EXPECT_EQ(doc->nodeStates[b].selected, 0);
}

TEST_F(ViewControllerTest, CtrlClickAddsWithoutMoving) {
  const int a = Node({100, 100, 200, 160});
  const int b = Node({300, 100, 400, 160});
  Down(150, 130);
  Up(150, 130);
  Drag(350, 130, 380, 160, mouse::kLeft | mouse::kCtrl);
  EXPECT_EQ(doc->nodes[a].rect, (Rect{100, 100, 200, 160}));
  EXPECT_EQ(doc->nodes[b].rect, (Rect{300, 100, 400, 160}));
  EXPECT_EQ(doc->focusedNode, b);
  EXPECT_TRUE(doc->nodeStates[a].selected && doc->nodeStates[b].selected);
  EXPECT_EQ(host.feedbacks, 0);
  // A plain click on an unselected node replaces the selection.
  const int c = Node({500, 100, 600, 160});
  Down(550, 130);
  EXPECT_FALSE(doc->nodeStates[a].selected || doc->nodeStates[b].selected);
  EXPECT_EQ(doc->focusedNode, c);
}

TEST_F(ViewControllerTest, ArmedPickOnEmptySpaceOnlyDisarms) {
  const int n = Node({100, 100, 200, 160});
  Down(150, 130);
  Up(150, 130);
  controller.TogglePick();
  Down(700, 700);
  EXPECT_FALSE(controller.PickArmed());
  EXPECT_EQ(controller.Mode(), DragMode::None);
  EXPECT_EQ(doc->focusedNode, n);
  EXPECT_EQ(doc->nodes[n].transColor, document::kNoColor);
  // Armed again, a click on the node body takes the pixel colour.
  controller.TogglePick();
  Down(150, 130);
  EXPECT_EQ(doc->nodes[n].transColor, 0x00123456);
  // The fill colour of a node that already has one is refused.
  doc->nodes[n].style.refMen = 0x00ABCDEF;
  host.pixel = 0x00ABCDEF;
  controller.TogglePick();
  Down(150, 130);
  EXPECT_EQ(doc->nodes[n].transColor, 0x00123456);
  EXPECT_EQ(sink.Ids(), (std::vector<int>{30080}));
}

TEST_F(ViewControllerTest, RightButtonCancelsAMoveAndOtherwiseChoosesTheMenu) {
  const int n = Node({100, 100, 200, 160});
  Down(150, 130);
  Move(300, 300);
  RightUp(300, 300);
  EXPECT_EQ(controller.Mode(), DragMode::None);
  EXPECT_TRUE(host.menus.empty());
  Up(300, 300);
  EXPECT_EQ(doc->nodes[n].rect, (Rect{100, 100, 200, 160}));

  Node({300, 100, 400, 160});
  host.menuAnswer = 32797;
  RightUp(350, 130);  // unselected node: the selection becomes that node
  ASSERT_EQ(host.menus.back().id, MenuId::Node);
  EXPECT_FALSE(host.menus.back().Find(32797)->enabled);
  EXPECT_FALSE(host.menus.back().Find(372)->enabled);  // no picture
  EXPECT_EQ(host.commands, (std::vector<int>{32797}));
  EXPECT_EQ(controller.MenuPoint(), (platform::Point{350, 130}));
  Down(150, 130, mouse::kLeft | mouse::kCtrl);
  RightUp(150, 130);  // selected node: the pair stays
  EXPECT_TRUE(host.menus.back().Find(32797)->enabled);

  host.facts.htmlTypeWord = "PDF";
  host.facts.clipboardHasText = true;
  RightUp(700, 700);
  const ContextMenu& view = host.menus.back();
  EXPECT_EQ(view.id, MenuId::View);
  EXPECT_FALSE(view.Find(32798)->enabled);
  EXPECT_FALSE(view.Find(32786)->enabled);
  EXPECT_TRUE(view.Find(32868)->enabled);
  EXPECT_TRUE(view.Find(32784)->enabled);
  EXPECT_FALSE(view.Find(32857)->enabled);
  EXPECT_EQ(doc->focusedNode, -1);
}

TEST_F(ViewControllerTest, MarkerSwitchesPageOncePerPass) {
  const int n = Node({100, 100, 200, 160});
  document::Rect far{700, 700, 800, 760};
  Node(far, 2);
  AddArc(0, 1);
  platform::RecordingCanvas canvas;
  view.OnDraw(canvas);
  ASSERT_FALSE(view.LinkMarkers().empty());
  const platform::IntRect m = view.LinkMarkers()[0].rect;
  Down(150, 130);
  Move(m.left + 3, m.top + 3);
  EXPECT_EQ(doc->header.currentPage, 1);
  Move(m.left + 4, m.top + 4);  // still inside: no second switch
  EXPECT_EQ(doc->header.currentPage, 1);
  EXPECT_EQ(doc->nodeStates[n].selected, 1);
  Up(m.left + 4, m.top + 4);
  EXPECT_EQ(doc->nodes[n].pageId, 2);
}

TEST_F(ViewControllerTest, WheelStepsFollowTheModifiers) {
  controller.Wheel({{0, 0}, 0, false});
  EXPECT_EQ(host.scrolled, (platform::Point{0, 10}));
  controller.Wheel({{0, 0}, mouse::kCtrl, true});
  EXPECT_EQ(host.scrolled, (platform::Point{0, 9}));
  controller.Wheel({{0, 0}, mouse::kCtrl | mouse::kShift, false});
  EXPECT_EQ(host.scrolled, (platform::Point{-1, 9}));
  controller.Wheel({{0, 0}, mouse::kRight, false});
  EXPECT_EQ(host.scrolled, (platform::Point{-11, 9}));
  host.canScroll = false;
  controller.Wheel({{0, 0}, 0, false});
  EXPECT_EQ(host.scrolled, (platform::Point{-11, 9}));
}

TEST_F(ViewControllerTest, HoverChoosesCursorsTooltipsAndPointerPane) {
  Node({100, 100, 200, 160});
  Slip({300, 100, 400, 160});
  controller.MouseMove({{150, 130}, 0, {}});
  EXPECT_EQ(host.cursor, CursorRole::Node);
  EXPECT_EQ(host.pointerPane, "150, 130");
  controller.MouseMove({{350, 130}, 0, {}});
  EXPECT_EQ(host.cursor, CursorRole::Slip);
  controller.MouseMove({{998, 500}, 0, {}});
  EXPECT_EQ(host.cursor, CursorRole::PageRightEdge);
  EXPECT_EQ(host.tooltip, "Width=1000\nmin:500  max:5000");
  controller.MouseMove({{998, 998}, 0, {}});
  EXPECT_EQ(host.tooltip, "Height=1000\nmin:500  max:5000");
  controller.MouseMove({{1100, 500}, 0, {}});
  EXPECT_EQ(host.cursor, CursorRole::Arrow);
  EXPECT_EQ(host.tooltip, "");
  EXPECT_EQ(host.pointerPane, "");
  EXPECT_GE(host.releases, 1);
  Down(150, 130);
  Up(150, 130);
  controller.MouseMove({{100, 100}, 0, {}});  // left-top handle of the selected node
  EXPECT_EQ(host.cursor, CursorRole::SizeDownRight);
  controller.MouseMove({{150, 130}, 0, {}});
  EXPECT_EQ(host.cursor, CursorRole::Move);
}

TEST_F(ViewControllerTest, HandlePressStartsResizeAndFocusesItsNode) {
  const int a = Node({100, 100, 200, 160});
  const int b = Node({300, 100, 400, 160});
  Down(150, 130);
  Down(350, 130, mouse::kLeft | mouse::kCtrl);
  Up(350, 130);
  Down(201, 161);  // right-bottom handle of node a (frame 1)
  EXPECT_EQ(controller.Mode(), DragMode::ResizeNodes);
  EXPECT_EQ(controller.HandleIndex(), 2);
  EXPECT_EQ(doc->focusedNode, a);
  Up(201, 161);
  Down(1000, 500);
  EXPECT_EQ(controller.Mode(), DragMode::PageWidth);
  (void)b;
}

TEST_F(ViewControllerTest, SlipsDroppedOnUnselectedSlipStayAndMarkerClickClearsSelection) {
  const int s = Slip({100, 100, 200, 160});
  const int other = Slip({400, 100, 500, 160});
  Drag(150, 130, 450, 130);
  EXPECT_EQ(doc->slips[s].rect, (Rect{100, 100, 200, 160}));
  EXPECT_EQ(doc->slips[other].selected, 0);
  EXPECT_EQ(host.modified, 0);
  // A plain click on a marker shows the other page and drops the selection.
  Node({600, 600, 700, 660});
  Node({100, 800, 200, 860}, 7);  // its page no longer exists: the first page is shown
  AddArc(1, 0);  // from the node of the missing page
  platform::RecordingCanvas canvas;
  view.OnDraw(canvas);
  ASSERT_FALSE(view.LinkMarkers().empty());
  const platform::IntRect m = view.LinkMarkers()[0].rect;
  doc->header.currentPage = 1;
  Down(m.left + 2, m.top + 2);
  EXPECT_EQ(doc->header.currentPage, 0);
  EXPECT_EQ(doc->focusedSlip, -1);
  EXPECT_EQ(doc->slips[s].selected, 0);
}

struct FakeConsole : plume::testing::NullConsolePort {
  platform::IntRect area{0, 0, 130, 130};
  int clicks = 0, elsewhere = 0;
  int HitTest(platform::Point p, bool) override {
    return p.x >= area.left && p.x < area.right && p.y >= area.top && p.y < area.bottom ? 1 : -1;
  }
  bool LeftDown(platform::Point p) override {
    if (HitTest(p, true) < 0) return false;
    ++clicks;
    return true;
  }
  bool ClickElsewhere() override {
    ++elsewhere;
    return true;
  }
};

struct FakeEditor : plume::testing::NullEditingPort {
  bool open = true;
  int commits = 0;
  bool EditorOpen() const override { return open; }
  void CommitEditor() override {
    ++commits;
    open = false;
  }
};

TEST_F(ViewControllerTest, EditorAndConsoleTakeClicksFirst) {
  FakeConsole console;
  FakeEditor editor;
  ViewController c(view, host, &console, &editor);
  const int n = Node({100, 100, 200, 160});
  doc->nodeStates[n].selected = 1;
  doc->focusedNode = n;
  // An open editor: the click only commits it and clears the selection.
  c.LeftButtonDown({{150, 130}, mouse::kLeft, {}});
  EXPECT_EQ(editor.commits, 1);
  EXPECT_EQ(doc->focusedNode, -1);
  EXPECT_EQ(c.Mode(), DragMode::None);
  // The console takes a click on it, even over a node.
  console.area = {90, 90, 220, 220};
  c.LeftButtonDown({{150, 130}, mouse::kLeft, {}});
  EXPECT_EQ(console.clicks, 1);
  EXPECT_EQ(doc->focusedNode, -1);
  EXPECT_EQ(console.elsewhere, 0);
  // Any other click tells the console, which repaints when that changed it.
  console.area = {};
  const int before = host.repaints;
  c.LeftButtonDown({{150, 130}, mouse::kLeft, {}});
  EXPECT_EQ(doc->focusedNode, n);
  EXPECT_EQ(console.elsewhere, 1);
  EXPECT_EQ(host.repaints, before + 2);  // the focus change, then the console
  // Right click on the console: the ZOOM menu, 335 checked when pinned.
  console.area = {0, 0, 50, 50};
  host.facts.consoleAlwaysShown = true;
  c.LeftButtonUp({{150, 130}, 0, {}});
  c.RightButtonUp({{10, 10}, 0, {}});
  ASSERT_FALSE(host.menus.empty());
  ASSERT_EQ(host.menus.back().id, MenuId::Zoom);
  EXPECT_TRUE(host.menus.back().Find(335)->checked);
  EXPECT_NE(host.menus.back().Find(340), nullptr);
}

/// An open editor whose left-middle handle (7) sits at client (50, 50).
struct HandledEditor : FakeEditor {
  int EditorHandleAt(platform::Point client) override {
    return std::abs(client.x - 50) <= 5 && std::abs(client.y - 50) <= 5 ? 7 : -1;
  }
};

TEST_F(ViewControllerTest, WithTheEditorOpenTheCursorShowsOnlyItsHandles) {
  HandledEditor editor;
  ViewController c(view, host, nullptr, &editor);
  const int n = Node({100, 100, 200, 160});
  doc->nodeStates[n].selected = 1;
  c.MouseMove({{52, 47}, 0, {}});
  EXPECT_EQ(host.cursor, CursorRole::SizeHorizontal);
  c.MouseMove({{150, 130}, 0, {}});
  EXPECT_EQ(host.cursor, CursorRole::Arrow) << "a click on the node would only commit";
  editor.open = false;
  c.MouseMove({{150, 130}, 0, {}});
  EXPECT_EQ(host.cursor, CursorRole::Move);
}

}  // namespace
}  // namespace plume::chartview
