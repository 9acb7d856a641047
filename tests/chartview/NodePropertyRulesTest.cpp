#include "chartview/NodePropertyRules.h"

#include <gtest/gtest.h>

#include "ChartFixture.h"

namespace plume::chartview {
namespace {

using document::Rect;

class NodePropertyRulesTest : public ::testing::Test, protected testing::ChartFixture {};

TEST_F(NodePropertyRulesTest, ScaleIsNodeWidthOverPictureWidth) {
  EXPECT_EQ(PictureScalePercent(300, 600), 50);
  EXPECT_EQ(PictureScalePercent(301, 300), 100);
  EXPECT_EQ(PictureScalePercent(300, 0), 0);
}

TEST_F(NodePropertyRulesTest, MasterRatioKeepsHeightAndMasterSizeKeepsTheCorner) {
  EXPECT_EQ(RectWithMasterRatio(*doc, {10, 20, 110, 120}, 400, 200), (Rect{10, 20, 210, 120}));
  EXPECT_EQ(RectOfMasterSize(*doc, {10, 20, 110, 120}, 640, 480), (Rect{10, 20, 650, 500}));
  // Larger than the page: fitted into it.
  const Rect big = RectOfMasterSize(*doc, {0, 0, 10, 10}, 4000, 2000);
  EXPECT_LE(big.right, 1000);
}

TEST_F(NodePropertyRulesTest, TitlePositionGoesToEverySelectedNode) {
  for (int i = 0; i < 4; ++i) AddNode({0, 0, 10, 10});
  for (int i : {0, 2, 3}) doc->nodeStates[i].selected = 1;
  EXPECT_EQ(SetTitlePosOfSelected(*doc, 2), 3);
  doc->nodes[1].titlePos = 0;
  SetTitlePosOfSelected(*doc, 1);
  EXPECT_EQ(doc->nodes[3].titlePos, 1);
  EXPECT_EQ(doc->nodes[1].titlePos, 0);
}

}  // namespace
}  // namespace plume::chartview
