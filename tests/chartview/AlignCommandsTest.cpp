#include "chartview/AlignCommands.h"

#include <gtest/gtest.h>

#include "ChartFixture.h"
#include "FakeEditHost.h"

namespace plume::chartview {
namespace {

using document::Rect;

class AlignTest : public ::testing::Test, protected testing::ChartFixture {
 protected:
  void Run(int id) { commands.Run(*AlignCommands::OpFor(id)); }

  testing::FakeEditHost host{*doc};
  AlignCommands commands{*doc};
};

TEST_F(AlignTest, LeftLinesUpOnTheFocusedNodeKeepingTopsAndSizes) {
  NodeSelected({100, 10, 150, 40});
  doc->focusedNode = NodeSelected({250, 200, 330, 220});
  NodeSelected({40, 500, 140, 600});
  Run(32800);
  EXPECT_EQ(doc->nodes[0].rect, (Rect{250, 10, 300, 40}));
  EXPECT_EQ(doc->nodes[1].rect, (Rect{250, 200, 330, 220}));
  EXPECT_EQ(doc->nodes[2].rect, (Rect{250, 500, 350, 600}));
  EXPECT_EQ(host.modified, 1);
}

TEST_F(AlignTest, RightTopAndBottomUseTheSameEdgeOfTheReference) {
  doc->focusedNode = NodeSelected({100, 100, 200, 150});
  NodeSelected({0, 0, 50, 20});
  Run(32801);
  EXPECT_EQ(doc->nodes[1].rect, (Rect{150, 0, 200, 20}));
  Run(32802);
  EXPECT_EQ(doc->nodes[1].rect, (Rect{150, 100, 200, 120}));
  Run(32803);
  EXPECT_EQ(doc->nodes[1].rect, (Rect{150, 130, 200, 150}));
}

TEST_F(AlignTest, KindsAreNeverMixedAndOneUndoRestoresBoth) {
  // GIVEN one node and two slips selected, the node and one slip focused.
  doc->focusedNode = NodeSelected({500, 500, 600, 550});
  doc->focusedSlip = SlipSelected({300, 0, 400, 50});
  SlipSelected({10, 100, 60, 150});
  doc->History().Reset(*doc);
  ASSERT_TRUE(commands.Enabled(AlignOp::Left));
  Run(32800);
  EXPECT_EQ(doc->nodes[0].rect, (Rect{500, 500, 600, 550}));
  EXPECT_EQ(doc->slips[1].rect, (Rect{300, 100, 350, 150}));
  ASSERT_EQ(doc->History().UndoCount(), 1);
  ASSERT_TRUE(doc->History().Undo(*doc));
  EXPECT_EQ(doc->slips[1].rect, (Rect{10, 100, 60, 150}));
}

TEST_F(AlignTest, CentringMovesTheBlockAsOneOntoThePageMiddle) {
  doc->focusedNode = NodeSelected({100, 0, 200, 50});
  NodeSelected({250, 80, 300, 120});
  Run(32805);  // horizontal: block 100..300 on a page 1000 wide
  EXPECT_EQ(doc->nodes[0].rect, (Rect{400, 0, 500, 50}));
  EXPECT_EQ(doc->nodes[1].rect, (Rect{550, 80, 600, 120}));
  Run(32804);  // vertical: block 0..120 lands at 440..560
  EXPECT_EQ(doc->nodes[0].rect.top, 440);
  EXPECT_EQ(doc->nodes[1].rect.bottom, 560);
}

TEST_F(AlignTest, CentringAnOddRemainderTruncatesTowardZero) {
  doc->CurrentPage().pageWidth = 1001;
  doc->focusedNode = NodeSelected({0, 0, 100, 10}, true);
  Run(32805);
  EXPECT_EQ(doc->nodes[0].rect.left, 450);
}

TEST_F(AlignTest, SpreadPlacesTheMiddleItemsAtAnEvenGap) {
  NodeSelected({0, 0, 100, 10});
  NodeSelected({400, 20, 500, 30});
  doc->focusedNode = NodeSelected({50, 40, 150, 50});
  Run(32807);
  EXPECT_EQ(doc->nodes[0].rect.left, 0);
  EXPECT_EQ(doc->nodes[1].rect.left, 400);
  EXPECT_EQ(doc->nodes[2].rect, (Rect{200, 40, 300, 50}));
}

TEST_F(AlignTest, SpreadKeepsIndexOrderAmongEqualStarts) {
  // Three equal tops, heights 10, 20, 30: order 0, 1, 2; gap trunc((0 + 30 - 0 - 60) / 2) = -15.
  doc->focusedNode = NodeSelected({0, 0, 10, 10});
  NodeSelected({20, 0, 30, 20});
  NodeSelected({40, 0, 50, 30});
  Run(32806);
  EXPECT_EQ(doc->nodes[0].rect.top, 0);
  EXPECT_EQ(doc->nodes[1].rect, (Rect{20, -5, 30, 15}));  // end of node 0 (10) + gap -15
  EXPECT_EQ(doc->nodes[2].rect.top, 0);
}

TEST_F(AlignTest, SpreadOfHeavilyOverlappingItemsUsesANegativeGap) {
  doc->focusedNode = NodeSelected({0, 0, 100, 10});
  NodeSelected({10, 0, 110, 10});
  NodeSelected({20, 0, 120, 10});
  NodeSelected({30, 0, 130, 10});
  // gap = trunc((30 + 100 - 0 - 400) / 3) = -90
  Run(32807);
  EXPECT_EQ(doc->nodes[1].rect.left, 10);
  EXPECT_EQ(doc->nodes[2].rect.left, 20);
  EXPECT_EQ(doc->nodes[3].rect.left, 30);
  // Sizes that do not divide evenly leave the truncated gap and the last item stays.
  doc->nodes[2].rect = {25, 0, 125, 10};
  doc->nodes[3].rect = {31, 0, 131, 10};
  Run(32807);  // gap = trunc(-269 / 3) = -89
  EXPECT_EQ(doc->nodes[1].rect.left, 11);
  EXPECT_EQ(doc->nodes[2].rect.left, 22);
  EXPECT_EQ(doc->nodes[3].rect.left, 31);
}

TEST_F(AlignTest, EqualSizesAreFittedBackIntoThePage) {
  doc->focusedNode = NodeSelected({0, 0, 400, 100});
  NodeSelected({800, 300, 850, 330});
  Run(32787);
  EXPECT_EQ(doc->nodes[1].rect, (Rect{600, 300, 1000, 330}));
  EXPECT_EQ(doc->nodes[0].rect, (Rect{0, 0, 400, 100}));
  Run(32875);
  EXPECT_EQ(doc->nodes[1].rect, (Rect{600, 300, 1000, 400}));
}

TEST_F(AlignTest, EnableRulesCountSelectedItemsOfEachKind) {
  EXPECT_FALSE(commands.Enabled(AlignOp::Left));
  EXPECT_FALSE(commands.Enabled(AlignOp::SameWH));
  EXPECT_TRUE(commands.Enabled(AlignOp::HCentre));
  NodeSelected({0, 0, 10, 10});
  SlipSelected({0, 0, 10, 10});
  EXPECT_FALSE(commands.Enabled(AlignOp::Left));  // one of each kind is not two
  NodeSelected({0, 0, 10, 10}, false);
  EXPECT_FALSE(commands.Enabled(AlignOp::Top));
  NodeSelected({0, 0, 10, 10});
  EXPECT_TRUE(commands.Enabled(AlignOp::Top));
  EXPECT_FALSE(commands.Enabled(AlignOp::HSpread));
  NodeSelected({0, 0, 10, 10});
  EXPECT_TRUE(commands.Enabled(AlignOp::VSpread));
}

TEST_F(AlignTest, WithoutAFocusNothingMovesAndNoStepIsRecorded) {
  NodeSelected({100, 0, 200, 50});
  Run(32805);
  EXPECT_EQ(doc->nodes[0].rect.left, 100);
  EXPECT_FALSE(doc->History().CanUndo());
  EXPECT_EQ(host.modified, 0);
}

TEST_F(AlignTest, SpreadOfFewerThanThreeLeavesThemAlone) {
  // Three selected slips enable the command; the nodes may still number two or one.
  doc->focusedNode = NodeSelected({0, 0, 10, 10});
  NodeSelected({500, 0, 510, 10});
  doc->focusedSlip = SlipSelected({0, 0, 10, 10});
  SlipSelected({7, 0, 17, 10});
  SlipSelected({300, 0, 310, 10});
  Run(32807);
  EXPECT_EQ(doc->nodes[1].rect.left, 500);
  EXPECT_EQ(doc->slips[1].rect.left, 150);  // 10 + gap trunc((300 + 10 - 0 - 30) / 2)
  EXPECT_TRUE(AlignCommands::Compute(AlignOp::HSpread, {{0, {0, 0, 10, 10}}, {1, {500, 0, 510, 10}}}, 0,
                                     {0, 0, 10, 10}, 1000, 1000)
                  .empty());
  EXPECT_TRUE(AlignCommands::Compute(AlignOp::HSpread, {{0, {0, 0, 10, 10}}}, 0, {0, 0, 10, 10}, 1000, 1000).empty());
}

}  // namespace
}  // namespace plume::chartview
