#include "chartview/ArcGeometry.h"

#include <gtest/gtest.h>

namespace plume::chartview {
namespace {

using platform::IntRect;
using platform::Point;

// A 100 x 50 box: centre (50, 25), diagonal slope 0.5.
constexpr IntRect kBox{0, 0, 100, 50};

TEST(BorderPoint, SteepSegmentsLeaveThroughTopOrBottom) {
  EXPECT_EQ(BorderPoint(kBox, {60, -100}), (Point{52, 0}));
  EXPECT_EQ(BorderPoint(kBox, {-10, 200}), (Point{42, 50}));  // 50 - 8.57
}

TEST(BorderPoint, FlatSegmentsLeaveThroughSidesTruncatingTowardZero) {
  EXPECT_EQ(BorderPoint(kBox, {250, 75}), (Point{100, 37}));  // 25 + 12.5
  EXPECT_EQ(BorderPoint(kBox, {-150, 0}), (Point{0, 19}));    // 25 - 6.25, not 18
}

TEST(BorderPoint, AxisAlignedSegmentsGiveEdgeMidpoints) {
  EXPECT_EQ(BorderPoint(kBox, {50, -100}), (Point{50, 0}));
  EXPECT_EQ(BorderPoint(kBox, {50, 300}), (Point{50, 50}));
  EXPECT_EQ(BorderPoint(kBox, {300, 25}), (Point{100, 25}));
  EXPECT_EQ(BorderPoint(kBox, {-300, 25}), (Point{0, 25}));
}

TEST(BorderPoint, ExactDiagonalMeetsTheCorner) {
  EXPECT_EQ(BorderPoint(kBox, {150, 75}), (Point{100, 50}));
  EXPECT_EQ(BorderPoint(kBox, {-50, -25}), (Point{0, 0}));
}

TEST(BorderPoint, CentreUsesIntegerHalvesOfOddAndNegativeBoxes) {
  // Centre (0, 0) by division toward zero; straight right leaves at (10, 0).
  EXPECT_EQ(BorderPoint({-11, -7, 10, 6}, {100, 0}), (Point{10, 0}));
}

TEST(BorderPoint, CoincidingCentresHaveNoBorderPoint) {
  EXPECT_FALSE(BorderPoint(kBox, {50, 25}).has_value());
  EXPECT_FALSE(BorderPoint({5, 5, 5, 5}, {5, 5}).has_value());
}

TEST(BorderPoint, DegenerateBoxesDoNotDivideByZero) {
  EXPECT_EQ(BorderPoint({5, 5, 5, 5}, {100, 40}), (Point{5, 5}));
  EXPECT_EQ(BorderPoint({0, 10, 0, 30}, {100, 20}), (Point{0, 20}));
  EXPECT_EQ(BorderPoint({0, 10, 40, 10}, {20, 100}), (Point{20, 10}));
}

TEST(ArrowHead, HorizontalArrowHasAsymmetricFlooredCorners) {
  const auto h = ArrowHead({0, 0}, {100, 0});
  ASSERT_TRUE(h);
  EXPECT_EQ((*h)[0], (Point{90, 3}));
  EXPECT_EQ((*h)[1], (Point{100, 0}));
  EXPECT_EQ((*h)[2], (Point{90, -3}));
}

TEST(ArrowHead, VerticalAndDiagonalArrows) {
  const auto down = ArrowHead({0, 0}, {0, 100});
  ASSERT_TRUE(down);
  EXPECT_EQ((*down)[0], (Point{-2, 90}));
  EXPECT_EQ((*down)[2], (Point{2, 90}));
  const auto diag = ArrowHead({0, 0}, {30, 40});
  ASSERT_TRUE(diag);
  EXPECT_EQ((*diag)[0], (Point{22, 34}));
  EXPECT_EQ((*diag)[2], (Point{26, 30}));
}

TEST(ArrowHead, ShortArrowKeepsItsSizeAndCoincidingPointsHaveNone) {
  const auto shortArrow = ArrowHead({0, 0}, {4, 0});
  ASSERT_TRUE(shortArrow);
  EXPECT_EQ((*shortArrow)[0], (Point{-6, 3}));  // base 10 pixels back, beyond the start
  EXPECT_FALSE(ArrowHead({7, 7}, {7, 7}).has_value());
}

}  // namespace
}  // namespace plume::chartview
