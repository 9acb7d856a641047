#include "chartview/ItemMover.h"

#include <gtest/gtest.h>

#include "ChartFixture.h"
#include "chartview/HitTester.h"

namespace plume::chartview {
namespace {

using document::Rect;

class ItemMoverTest : public ::testing::Test, protected testing::ChartFixture {};

TEST_F(ItemMoverTest, OneScreenPixelNeverVanishes) {
  EXPECT_EQ(ItemMover::ToPageDelta(1, 4.0f), 1);
  EXPECT_EQ(ItemMover::ToPageDelta(-1, 4.0f), -1);
  EXPECT_EQ(ItemMover::ToPageDelta(2, 4.0f), 0);
  EXPECT_EQ(ItemMover::ToPageDelta(10, 3.0f), 3);
  EXPECT_EQ(ItemMover::ToPageDelta(-10, 3.0f), -3);
}

TEST_F(ItemMoverTest, ClampKeepsFrameInsidePageAndTitleRoom) {
  const int n = AddNode({100, 100, 200, 160});
  doc->nodes[n].style.Futosa = 3;
  ItemMover mover(*doc, 1.0f);
  EXPECT_EQ(mover.MovedRect(ItemKind::Nodes, n, 5000, 5000), (Rect{896, 936, 996, 996}));
  EXPECT_EQ(mover.MovedRect(ItemKind::Nodes, n, -500, -500), (Rect{5, 5, 105, 65}));
  // A title below takes its height off the bottom, one above off the top.
  doc->nodeStates[n].titleRect = {0, 0, 80, 40};
  EXPECT_EQ(mover.MovedRect(ItemKind::Nodes, n, 5000, 5000).bottom, 956);
  doc->nodes[n].titlePos = 1;
  EXPECT_EQ(mover.MovedRect(ItemKind::Nodes, n, -500, -500).top, 45);
  // At 200 % the title's screen height counts half.
  EXPECT_EQ(ItemMover(*doc, 2.0f).MovedRect(ItemKind::Nodes, n, -500, -500).top, 25);
}

TEST_F(ItemMoverTest, ItemLargerThanPageEndsAtLeftAndTopLimits) {
  const int s = AddSlip({0, 0, 1500, 1200});
  doc->slips[s].style.Futosa = 0;
  EXPECT_EQ(ItemMover(*doc, 1.0f).MovedRect(ItemKind::Slips, s, 0, 0), (Rect{2, 2, 1502, 1202}));
}

TEST_F(ItemMoverTest, MoveCarriesSelectedItemsOfEveryPageToTheCurrentOne) {
  const int a = AddNode({100, 100, 200, 160}, 2);
  const int b = AddNode({300, 100, 400, 160}, 1);
  doc->nodeStates[a].selected = 1;
  doc->nodes[a].style.Futosa = 0;
  EXPECT_EQ(ItemMover(*doc, 1.0f).MoveSelected(ItemKind::Nodes, 10, 0), 1);
  EXPECT_EQ(doc->nodes[a].pageId, 1);
  EXPECT_EQ(doc->nodes[a].rect, (Rect{110, 100, 210, 160}));
  EXPECT_EQ(doc->nodes[b].rect, (Rect{300, 100, 400, 160}));
}

TEST_F(ItemMoverTest, HitsPreferTopmostItemsTitlesAndCurrentPage) {
  const int low = AddNode({100, 100, 200, 200});
  const int high = AddNode({150, 150, 250, 250});
  AddNode({100, 100, 300, 300}, 2);
  doc->nodeStates[low].titleRect = {100, 400, 200, 420};  // screen pixels at 200 %
  HitTester hits(*doc, 2.0f);
  EXPECT_EQ(hits.HitNode({160, 160}).index, high);
  EXPECT_EQ(hits.HitNode({120, 120}).index, low);
  const NodeHit title = hits.HitNode({60, 205});
  EXPECT_EQ(title.index, low);
  EXPECT_TRUE(title.onTitle);
  EXPECT_EQ(hits.HitNode({280, 280}).index, -1);
  // Handles only on selected items, grab square +-5 page units.
  doc->nodeStates[high].selected = 1;
  EXPECT_EQ(hits.HitHandle(ItemKind::Nodes, {255, 250}).handle, 2);  // frame width 1 outside
  EXPECT_EQ(hits.HitHandle(ItemKind::Nodes, {201, 146}).handle, 4);
  EXPECT_EQ(hits.HitHandle(ItemKind::Nodes, {262, 250}).item, -1);
  EXPECT_EQ(hits.HitPageEdge({997, 10}), PageEdge::Right);
  EXPECT_EQ(hits.HitPageEdge({996, 10}), PageEdge::None);
  EXPECT_EQ(hits.HitPageEdge({999, 1002}), PageEdge::Bottom);
}

}  // namespace
}  // namespace plume::chartview
