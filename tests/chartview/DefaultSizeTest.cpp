// Default sizes of items read from files: rectangles anywhere in the 32-bit
// range are measured without overflow.

#include "chartview/DefaultSize.h"

#include <gtest/gtest.h>

#include <climits>

namespace plume::chartview {
namespace {

TEST(DefaultSize, RectanglesAtTheEndsOfTheRangeNeitherOverflowNorGrowWhenWide) {
  auto doc = document::ChartDocument::Create();
  doc->NewDocument();
  document::Rect whole{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  EXPECT_FALSE(GiveDefaultSize(*doc, whole, 100, 40, 0));  // as wide as can be: keeps its size
  EXPECT_EQ(whole, (document::Rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}));

  document::Rect corner{INT_MIN, INT_MIN, INT_MIN, INT_MIN};
  ASSERT_TRUE(GiveDefaultSize(*doc, corner, 100, 40, 0));
  EXPECT_GT(corner.Width(), 0);
  EXPECT_GE(corner.left, 0);
  document::Rect far{INT_MAX, INT_MAX, INT_MAX, INT_MAX};
  ASSERT_TRUE(GiveDefaultSize(*doc, far, 100, 40, 0));
  EXPECT_LE(far.right, doc->CurrentPage().pageWidth);
}

}  // namespace
}  // namespace plume::chartview
