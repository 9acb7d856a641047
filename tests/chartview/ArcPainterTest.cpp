#include "chartview/ArcPainter.h"

#include <gtest/gtest.h>

#include "ChartFixture.h"
#include "chartview/PagePainter.h"

namespace plume::chartview {
namespace {

using platform::Brush;
using platform::CanvasOp;
using platform::IntRect;
using platform::Pen;
using platform::Point;
using platform::RecordingCanvas;

class ArcPainterTest : public ::testing::Test, protected testing::ChartFixture {
 protected:
  void Paint(float zoom, int page = 0) {
    canvas = RecordingCanvas{};
    params.zoom = zoom;
    params.pageIndex = page;
    PaintResult result;
    DrawPage(*doc, canvas, params, &result);
    markers = result.markers;
  }
  RecordingCanvas canvas;
  PaintParams params;
  std::vector<LinkMarker> markers;
};

TEST_F(ArcPainterTest, ArrowRunsBetweenBorderPointsWithHead) {
  const int a = AddNode({100, 100, 200, 150});
  const int b = AddNode({400, 100, 500, 150});
  AddArc(a, b);
  Paint(2.0f);
  const auto lines = canvas.Calls(CanvasOp::Line);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].a, (Point{400, 250}));
  EXPECT_EQ(lines[0].b, (Point{800, 250}));
  EXPECT_EQ(lines[0].pen, Pen::Solid(0x00FF1E1E, 2));
  const auto heads = canvas.Calls(CanvasOp::Polygon);
  ASSERT_EQ(heads.size(), 1u);
  EXPECT_EQ(heads[0].points, (std::vector<Point>{{790, 253}, {800, 250}, {790, 247}}));
  EXPECT_EQ(heads[0].brush, Brush::Solid(0x000000FF));
  EXPECT_EQ(heads[0].pen, Pen::Solid(0x00A88E00, 2));
  EXPECT_TRUE(markers.empty());
}

TEST_F(ArcPainterTest, CrossPageArcIsHalfArrowWithMarkerOnEachPage) {
  const int a = AddNode({100, 100, 200, 150}, 1);
  const int b = AddNode({400, 100, 500, 150}, 2);
  AddArc(a, b);

  Paint(1.0f, 0);
  auto lines = canvas.Calls(CanvasOp::Line);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].a, (Point{200, 125}));
  EXPECT_EQ(lines[0].b, (Point{300, 125}));
  auto rings = canvas.Calls(CanvasOp::Ellipse);
  ASSERT_EQ(rings.size(), 3u);
  EXPECT_EQ(rings[0].rect, (IntRect{292, 117, 308, 133}));
  EXPECT_EQ(rings[0].pen, Pen::Solid(0x00A88E00, 1));
  EXPECT_EQ(rings[0].brush, Brush::Solid(0x00BFF1FF));
  EXPECT_EQ(rings[1].rect, (IntRect{295, 120, 305, 130}));
  EXPECT_EQ(rings[2].rect, (IntRect{298, 123, 302, 127}));
  EXPECT_EQ(rings[2].pen, Pen::Solid(0x00FFD911, 1));
  EXPECT_EQ(rings[2].brush, Brush::None());
  ASSERT_EQ(markers.size(), 1u);
  EXPECT_EQ(markers[0], (LinkMarker{{292, 117, 308, 133}, 1, 2}));

  Paint(1.0f, 1);
  lines = canvas.Calls(CanvasOp::Line);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].a, (Point{300, 125}));
  EXPECT_EQ(lines[0].b, (Point{400, 125}));
  ASSERT_EQ(markers.size(), 1u);
  EXPECT_EQ(markers[0], (LinkMarker{{292, 117, 308, 133}, 1, 2}));
  // The head points into the node on this page.
  EXPECT_EQ(canvas.Calls(CanvasOp::Polygon).at(0).points.at(1), (Point{400, 125}));
}

TEST_F(ArcPainterTest, AllMarkersDrawnOnlyFirstHundredRecorded) {
  for (int i = 0; i < 150; ++i) {
    const int a = AddNode({10, 10 + 6 * i, 60, 14 + 6 * i}, 1);
    const int b = AddNode({600, 10 + 6 * i, 650, 14 + 6 * i}, 2);
    AddArc(a, b);
  }
  Paint(1.0f);
  EXPECT_EQ(canvas.Calls(CanvasOp::Ellipse).size(), 450u);
  ASSERT_EQ(markers.size(), 100u);
  EXPECT_EQ(markers[99].rect.top, 12 + 6 * 99 - 8);
}

TEST_F(ArcPainterTest, MissingNodeOrForeignPagesOrSameCentreDrawNothing) {
  const int a = AddNode({100, 100, 200, 150}, 1);
  const int b = AddNode({120, 110, 180, 140}, 1);  // same centre as a
  const int c = AddNode({100, 100, 200, 150}, 2);
  const int d = AddNode({300, 100, 400, 150}, 2);
  AddArc(a, b);
  AddArc(c, d);
  doc->arcs[doc->arcCount++] = {doc->nodes[a].nodeId, 999};
  Paint(1.0f);
  EXPECT_TRUE(canvas.Calls(CanvasOp::Line).empty());
  EXPECT_TRUE(canvas.Calls(CanvasOp::Polygon).empty());
}

TEST_F(ArcPainterTest, TouchingNodesGiveLineWithoutHead) {
  // Border points coincide: the arc is a dot with no direction, so no head.
  const int a = AddNode({100, 100, 200, 150});
  const int b = AddNode({200, 100, 300, 150});
  AddArc(a, b);
  Paint(1.0f);
  ASSERT_EQ(canvas.Calls(CanvasOp::Line).size(), 1u);
  EXPECT_TRUE(canvas.Calls(CanvasOp::Polygon).empty());
}

TEST_F(ArcPainterTest, ArcsComeBeforeNodesSoNodesCoverThem) {
  const int a = AddNode({100, 100, 200, 150});
  const int b = AddNode({400, 100, 500, 150});
  AddArc(a, b);
  Paint(1.0f);
  std::size_t line = 0, box = 0;
  for (std::size_t i = 0; i < canvas.calls.size(); ++i) {
    if (canvas.calls[i].op == CanvasOp::Line) line = i;
    if (canvas.calls[i].op == CanvasOp::RoundRect && box == 0) box = i;
  }
  EXPECT_LT(line, box);
}

TEST_F(ArcPainterTest, DialRingAroundFocusedNodeWithArcOnPage) {
  const int a = AddNode({100, 100, 201, 151});
  const int b = AddNode({400, 100, 500, 150});
  AddArc(b, a);
  doc->focusedNode = a;
  Paint(1.0f);
  // Lines: the arc, then 68 dots of the ring of radius 70 around (150, 125).
  const auto lines = canvas.Calls(CanvasOp::Line);
  ASSERT_EQ(lines.size(), 69u);
  const auto& dot35 = lines[35];  // k = 35: half way round
  EXPECT_EQ(dot35.a, (Point{80, 125}));
  EXPECT_EQ(dot35.a, dot35.b);
  EXPECT_EQ(dot35.pen, Pen::Solid(105 | (70 << 8) | (255 << 16), 5));
  const auto* label = canvas.FindText("70");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->rect, (IntRect{200, 101, 240, 141}));
  EXPECT_EQ(label->color, 0x004E55E0);
  EXPECT_EQ(label->font, (platform::FontSpec{"Meiryo UI", -11, 400}));
  EXPECT_EQ(label->flags, platform::text::kCenter | platform::text::kVCenter | platform::text::kSingleLine);
}

TEST_F(ArcPainterTest, DialCentreHalvesFirstThenZoomsAndNeedsAnArcOnThePage) {
  const int a = AddNode({100, 100, 201, 151});
  const int b = AddNode({400, 100, 500, 150}, 2);
  AddArc(a, b);
  doc->focusedNode = a;
  doc->header.dialRadius = 140;
  Paint(0.5f);
  EXPECT_EQ(canvas.FindText("140"), nullptr);  // its only arc leads to page 2
  doc->nodes[b].pageId = 1;
  Paint(0.5f);
  const auto* label = canvas.FindText("140");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->rect, (IntRect{75 + 140 - 20, 62 - 4 - 20, 75 + 140 + 20, 62 - 4 + 20}));
  const auto lines = canvas.Calls(CanvasOp::Line);
  ASSERT_EQ(lines.size(), 1u + 138u);
  EXPECT_EQ(lines[127].pen.color, 255 | (255 << 8) | (255 << 16));  // k = 127: green saturates
  EXPECT_EQ(lines[126].pen.color, 255 | (252 << 8) | (255 << 16));
}

}  // namespace
}  // namespace plume::chartview
