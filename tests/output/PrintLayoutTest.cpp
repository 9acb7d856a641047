// The print layout: sheet grid, preview geometry, ranges, margins and the
// printed tiles covering the page.

#include <gtest/gtest.h>

#include "output/PrintLayout.h"

namespace plume::output {
namespace {

using platform::IntRect;
using platform::Size;

/// A4 portrait at 300 dpi without unprintable strips.
PrinterMetrics A4At300() { return {300, 300, 2480, 3508, 0, 0, 0, 0}; }

TEST(PrintLayout, SheetGridIsIntegerPartPlusOne) {
  const PrinterMetrics a4 = A4At300();
  const float w = PaperWidthMm(a4);
  const float h = PaperHeightMm(a4);
  struct Case {
    Size page;
    Margins margins;
    bool allOne;
    SheetGrid expected;
  } cases[] = {
      {{1000, 1000}, {25, 10, 25, 10}, false, {2, 2}},  // 264.6 mm on 175 x 262 mm
      {{500, 500}, {25, 10, 25, 10}, false, {1, 1}},
      {{3000, 1000}, {10, 10, 10, 10}, false, {5, 1}},  // 793.8 mm on 190 mm
      {{5000, 5000}, {25, 10, 25, 10}, true, {1, 1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ComputeSheetGrid(c.page, 96, 96, w, h, c.margins, c.allOne), c.expected) << c.page.cx;
  }
}

TEST(PrintLayout, ExactMultipleOfThePrintableWidthGetsOneSheetMore) {
  // 127 page units per inch: 1750 units are 350 mm, exactly twice 175 mm.
  EXPECT_EQ(ComputeSheetGrid({1750, 100}, 127, 127, 210.0f, 297.0f, {25, 10, 25, 10}, false).pagesX, 3);
}

TEST(PrintLayout, MinimumMarginsRoundTheWiderStripUp) {
  PrinterMetrics p = A4At300();
  p.offsetLeft = 50;    // 4.23 mm
  p.offsetRight = 71;   // 6.01 mm
  p.offsetTop = 59;     // 4.995 mm
  p.offsetBottom = 0;
  const MinMargins min = MinimumMargins(p);
  EXPECT_EQ(min.x, 7);
  EXPECT_EQ(min.y, 5);
  // A margin at the minimum lies at or beyond the strip in device pixels.
  const DeviceTiles tiles = ComputeDeviceTiles(p, {min.x, min.x, min.y, min.y}, {100, 100}, 96);
  EXPECT_GE(tiles.tile.left, p.offsetRight);
  EXPECT_LE(tiles.tile.right, p.physicalWidth - p.offsetRight);
  EXPECT_GE(tiles.tile.top, p.offsetTop);
}

TEST(PrintLayout, PaperIsFittedAndCentredInThePreview) {
  // Portrait paper in a wide area: the height fills the area less 14 px a side.
  const IntRect portrait = FitPaper({0, 0, 600, 428}, 210.0f, 297.0f);
  EXPECT_EQ(portrait.Height(), 400);
  EXPECT_EQ(portrait.Width(), 282);
  EXPECT_EQ(portrait.left, (600 - 282) / 2);
  // Landscape paper in a tall area: the width fills it.
  const IntRect landscape = FitPaper({0, 0, 328, 800}, 297.0f, 210.0f);
  EXPECT_EQ(landscape.Width(), 300);
  EXPECT_EQ(landscape.Height(), 212);
  EXPECT_EQ(FitPaper({0, 0, 20, 20}, 210.0f, 297.0f), IntRect{});
}

TEST(PrintLayout, PreviewMarginsAndPrintableArea) {
  const float scale = PreviewScale(282, 96, 210.0f);  // 282 px show 210 mm
  EXPECT_NEAR(scale, 282.0 / (210.0 / 25.4 * 96), 1e-5);
  const Margins px = MarginsInPreview({25, 10, 25, 10}, scale, 96, 96);
  EXPECT_EQ(px.left, 33);  // 25 mm of 210 on 282 px, truncated
  EXPECT_EQ(px.right, 13);
  EXPECT_EQ(PrintableRect({10, 20, 292, 420}, px), (IntRect{43, 53, 279, 407}));
}

TEST(PrintLayout, OneSheetPreviewTakesTheSmallerFactor) {
  float zoom = 0.0f;
  const Size wide = PreviewBitmapSize({2000, 1000}, true, {0, 0, 200, 300}, 0.3f, &zoom);
  EXPECT_FLOAT_EQ(zoom, 0.1f);
  EXPECT_EQ(wide, (Size{200, 100}));
  EXPECT_EQ(PreviewBitmapSize({2000, 1000}, false, {0, 0, 200, 300}, 0.3f, &zoom), (Size{600, 300}));
}

TEST(PrintLayout, SheetsAreNumberedAcrossThenDown) {
  const SheetGrid grid{2, 2};
  const Size tile{600, 800};
  const Size bitmap{1000, 1000};
  EXPECT_EQ(SheetPart(grid, 1, tile, bitmap), (IntRect{0, 0, 600, 800}));
  EXPECT_EQ(SheetPart(grid, 2, tile, bitmap), (IntRect{600, 0, 1000, 800}));
  EXPECT_EQ(SheetPart(grid, 3, tile, bitmap), (IntRect{0, 800, 600, 1000}));  // lower left
  EXPECT_EQ(SheetPart(grid, 4, tile, bitmap), (IntRect{600, 800, 1000, 1000}));
  EXPECT_TRUE(SheetPart({3, 1}, 3, tile, bitmap).IsEmpty());  // beyond the page: nothing to copy
}

TEST(PrintLayout, RangesChooseTheSheets) {
  using V = std::vector<int>;
  EXPECT_EQ(SheetsToPrint(PrintRange::All, false, 4, 2, 1, 4), (V{1, 2, 3, 4}));
  EXPECT_EQ(SheetsToPrint(PrintRange::Current, false, 4, 2, 1, 4), (V{2}));
  EXPECT_EQ(SheetsToPrint(PrintRange::FromTo, false, 6, 1, 3, 5), (V{3, 4, 5}));
  EXPECT_EQ(SheetsToPrint(PrintRange::FromTo, true, 6, 1, 3, 5), (V{1}));  // one sheet, whatever the range
  EXPECT_EQ(SheetsToPrint(PrintRange::FromTo, false, 4, 1, 3, 9), (V{3, 4}));
  EXPECT_EQ(RangeFromHani(2), PrintRange::Current);
  EXPECT_EQ(RangeFromHani(3), PrintRange::FromTo);
  EXPECT_EQ(RangeFromHani(7), PrintRange::All);
}

TEST(PrintLayout, StartAndEndFieldsFollowEachOther) {
  EXPECT_EQ(ValidateFirstSheet(0, 4), 1);  // empty
  EXPECT_EQ(ValidateFirstSheet(5, 3), 3);
  EXPECT_EQ(ValidateFirstSheet(2, 3), 2);
  EXPECT_EQ(ValidateLastSheet(9, 2, 4), 4);
  EXPECT_EQ(ValidateLastSheet(0, 2, 4), 2);  // empty
  EXPECT_EQ(ValidateLastSheet(1, 2, 4), 2);
}

TEST(PrintLayout, PrintedTilesCoverThePageOnceWithoutGaps) {
  // GIVEN pages, papers and margins of every kind, WHEN the sheets are cut,
  // THEN the tiles of the grid share out every bitmap pixel exactly once.
  const PrinterMetrics printers[] = {A4At300(), {600, 600, 4960, 7016, 24, 24, 24, 24}, {300, 300, 3508, 2480, 0, 0, 0, 0}};
  const Size pages[] = {{500, 500}, {1000, 1000}, {1322, 990}, {5000, 5000}, {4999, 501}};
  const Margins margins[] = {{25, 10, 25, 10}, {50, 50, 50, 50}, {3, 3, 3, 3}, {17, 23, 31, 11}};
  for (const PrinterMetrics& p : printers) {
    for (const Size page : pages) {
      for (const Margins& m : margins) {
        const SheetGrid grid = ComputeSheetGrid(page, 96, 96, PaperWidthMm(p), PaperHeightMm(p), m, false);
        const DeviceTiles tiles = ComputeDeviceTiles(p, m, page, 96);
        const Size tile{tiles.tile.Width(), tiles.tile.Height()};
        long long area = 0;
        for (int sheet = 1; sheet <= grid.Count(); ++sheet) {
          const IntRect part = SheetPart(grid, sheet, tile, tiles.pageBitmap);
          if (!part.IsEmpty()) area += static_cast<long long>(part.Width()) * part.Height();
        }
        EXPECT_EQ(area, static_cast<long long>(tiles.pageBitmap.cx) * tiles.pageBitmap.cy)
            << p.dpiX << " " << page.cx << "x" << page.cy << " margin " << m.left;
        EXPECT_GE(grid.pagesX * tile.cx, tiles.pageBitmap.cx);
        EXPECT_GE(grid.pagesY * tile.cy, tiles.pageBitmap.cy);
      }
    }
  }
}

TEST(PrintLayout, OneSheetPrintIsFittedAndCentred) {
  EXPECT_EQ(FitIntoTile({1000, 500}, {100, 100, 1100, 1100}), (IntRect{100, 350, 1100, 850}));
  EXPECT_EQ(FitIntoTile({500, 1000}, {0, 0, 1000, 1000}), (IntRect{250, 0, 750, 1000}));
}

TEST(PrintLayout, MarginLinesAndDragging) {
  const IntRect r{100, 100, 300, 400};
  EXPECT_EQ(MarginLineAt(r, {102, 250}), 0);
  EXPECT_EQ(MarginLineAt(r, {200, 98}), 1);
  EXPECT_EQ(MarginLineAt(r, {298, 250}), 2);
  EXPECT_EQ(MarginLineAt(r, {200, 402}), 3);
  EXPECT_EQ(MarginLineAt(r, {103, 250}), -1);  // 3 pixels away is outside
  EXPECT_EQ(MarginLineAt(r, {101, 101}), 0);   // left before top
  // At scale 1 and 254 dpi one pixel is 0.1 mm.
  EXPECT_EQ(MarginFromDrag(255, 1.0f, 254), 25);
  EXPECT_EQ(MarginFromDrag(495, 1.0f, 254), 50);  // 49 is taken as 50
  EXPECT_EQ(MarginFromDrag(100, 0.5f, 254), 20);
  EXPECT_EQ(DragLimitPx(50, 254), 500);
}

TEST(PrintLayout, StoredOrientationOtherThanLandscapeIsPortrait) {
  for (const auto& [stored, expected] : {std::pair{0, 1}, {1, 1}, {2, 2}, {3, 1}, {-1, 1}})
    EXPECT_EQ(OrientationFromSetting(stored), expected) << stored;
}

}  // namespace
}  // namespace plume::output
