#include "chartview/PagePainter.h"
#include "chartview/PreparePage.h"

#include <gtest/gtest.h>

#include "ChartFixture.h"
#include "chartview/ItemBox.h"
#include "support/FakePicture.h"

namespace plume::chartview {
namespace {

using platform::Brush;
using platform::CanvasOp;
using platform::IntRect;
using platform::MixMode;
using platform::Pen;
using platform::Point;
using platform::RecordingCanvas;

class PagePainterTest : public ::testing::Test, protected testing::ChartFixture {
 protected:
  void Paint(float zoom, int page = 0) {
    canvas = RecordingCanvas{};
    params.zoom = zoom;
    params.pageIndex = page;
    params.scratch = &scratch;
    Draw();
  }
  /// Prepares and paints into `canvas` as it stands, the way the view does.
  void Draw() {
    PreparePage(*doc, canvas, params);
    DrawPage(*doc, canvas, params, &result);
    markers = result.markers;
  }
  /// The title rectangle the last paint reported for node `i`.
  document::Rect TitleOf(int i) const {
    for (const auto& [index, rect] : result.titleRects)
      if (index == i) return rect;
    return {-1, -1, -1, -1};
  }
  int AddPictureNode(document::Rect rect, int w, int h) {
    const int i = AddNode(rect);
    doc->nodes[i].hasImage = 1;
    doc->nodes[i].image = doc->pictures.Add(std::make_unique<plume::testing::FakePicture>(w, h, platform::Bytes{}));
    return i;
  }
  std::vector<platform::CanvasCall> Boxes() const {
    auto v = canvas.Calls(CanvasOp::RoundRect);
    for (auto& c : canvas.Calls(CanvasOp::Rectangle))
      if (c.pen.color != kPageFrame) v.push_back(c);
    return v;
  }

  RecordingCanvas canvas;
  PaintParams params;
  std::vector<LinkMarker> markers;
  PaintResult result;
  testing::RecordingScratch scratch;
};

TEST_F(PagePainterTest, PageBackgroundIsZoomedPageFilledAndFramed) {
  doc->pages[0].backColor = 0x00123456;
  Paint(0.5f);
  ASSERT_FALSE(canvas.calls.empty());
  const auto& bg = canvas.calls.front();
  EXPECT_EQ(bg.op, CanvasOp::Rectangle);
  EXPECT_EQ(bg.rect, (IntRect{0, 0, 500, 500}));
  EXPECT_EQ(bg.pen, Pen::Solid(kPageFrame));
  EXPECT_EQ(bg.brush, Brush::Solid(0x00123456));
}

TEST_F(PagePainterTest, NodeIsZoomedCornerFirstThenSize) {
  AddNode({101, 101, 203, 150});
  Paint(0.5f);
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].rect, (IntRect{50, 50, 101, 74}));  // width 51, height 24, not up to (101, 75)
  EXPECT_EQ(boxes[0].op, CanvasOp::RoundRect);
  EXPECT_EQ(boxes[0].cornerW, 5);
}

TEST_F(PagePainterTest, WideFrameGrowsBoxAndHalo) {
  const int i = AddNode({100, 100, 200, 150});
  doc->nodes[i].style.Futosa = 4;
  doc->nodes[i].style.Round = 1;
  doc->nodeStates[i].selected = 1;
  Paint(1.0f);
  const auto rects = canvas.Calls(CanvasOp::Rectangle);
  ASSERT_EQ(rects.size(), 3u);  // page, halo, box
  EXPECT_EQ(rects[1].rect, (IntRect{92, 92, 208, 158}));
  EXPECT_EQ(rects[1].pen, Pen::None());
  EXPECT_EQ(rects[1].brush, Brush::FromPattern(kSelectionPattern));
  EXPECT_EQ(rects[2].rect, (IntRect{98, 98, 202, 152}));
  EXPECT_EQ(rects[2].pen, Pen::Solid(0x00800000, 4));
  EXPECT_EQ(rects[2].brush, Brush::Solid(16773100));
}

TEST_F(PagePainterTest, HandlesOfFocusedAndSelectedNodes) {
  const int a = AddNode({100, 100, 200, 150});
  const int b = AddNode({300, 100, 400, 150});
  doc->nodeStates[a].selected = doc->nodeStates[b].selected = 1;
  doc->focusedNode = a;
  Paint(1.0f);
  const auto ellipses = canvas.Calls(CanvasOp::Ellipse);
  ASSERT_EQ(ellipses.size(), 16u);
  // Corners 10 x 10, then midpoints 6 x 6, around the box grown by lw / 2 (0 here).
  EXPECT_EQ(ellipses[0].rect, (IntRect{95, 95, 105, 105}));
  EXPECT_EQ(ellipses[2].rect, (IntRect{195, 145, 205, 155}));
  EXPECT_EQ(ellipses[4].rect, (IntRect{147, 97, 153, 103}));
  EXPECT_EQ(ellipses[7].rect, (IntRect{97, 122, 103, 128}));
  EXPECT_EQ(ellipses[0].brush, Brush::Solid(0x00B46464));
  EXPECT_EQ(ellipses[8].brush, Brush::Solid(kWhite));
  EXPECT_EQ(ellipses[8].pen, Pen::Solid(0x00808080));
  const auto halos = canvas.Calls(CanvasOp::Rectangle);
  EXPECT_EQ(halos[1].brush, Brush::FromPattern(kFocusPattern));
  EXPECT_EQ(halos[2].brush, Brush::FromPattern(kSelectionPattern));
}

TEST_F(PagePainterTest, NoFillNodeUsesMaskModeAndNoFillNoFrameDrawsNothing) {
  const int framed = AddNode({100, 100, 200, 150});
  doc->nodes[framed].style.refMen = document::kNoColor;
  const int bare = AddNode({300, 100, 400, 150});
  doc->nodes[bare].style.refMen = doc->nodes[bare].style.refWaku = document::kNoColor;
  Paint(1.0f);
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].rect, (IntRect{100, 100, 200, 150}));
  EXPECT_EQ(boxes[0].mix, MixMode::Mask);
  EXPECT_EQ(boxes[0].brush, Brush::FromPattern(kNoFillPattern));
  EXPECT_EQ(boxes[0].pen, Pen::Solid(0x00800000, 1));
  const auto modes = canvas.Calls(CanvasOp::SetMixMode);
  ASSERT_EQ(modes.size(), 2u);
  EXPECT_EQ(modes.back().mix, MixMode::Copy);
}

TEST_F(PagePainterTest, SlipWithoutColoursStillDrawsMaskedBoxWhenFrameWidthIsPositive) {
  const int s = AddSlip({100, 100, 200, 150});
  doc->slips[s].style.refMen = doc->slips[s].style.refWaku = document::kNoColor;
  const int thin = AddSlip({300, 100, 400, 150});
  doc->slips[thin].style.refMen = document::kNoColor;
  doc->slips[thin].style.Futosa = 0;
  Paint(1.0f);
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].mix, MixMode::Mask);
  EXPECT_EQ(boxes[0].pen, Pen::None());
  EXPECT_EQ(boxes[0].cornerW, 15);
  EXPECT_NE(canvas.FindText("slip"), nullptr);
}

TEST_F(PagePainterTest, TextNodeTitleInsideMarginWithZoomedFont) {
  const int i = AddNode({100, 100, 200, 150}, 1, "\x93\x8c\x8b\x9e");  // 東京
  doc->nodes[i].style.AlineH = 2;
  doc->nodes[i].style.Wrap = 0;
  doc->nodes[i].style.FontBold = 1;
  Paint(2.0f);
  const auto* t = canvas.FindText("東京");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->rect, (IntRect{210, 210, 390, 290}));
  EXPECT_EQ(t->flags, platform::text::kRight);
  EXPECT_EQ(t->font, (platform::FontSpec{"Meiryo UI", -21, 700}));
  EXPECT_EQ(t->color, 8388608);
  EXPECT_EQ(TitleOf(i), (document::Rect{210, 210, 390, 290}));
}

TEST_F(PagePainterTest, PrinterFontIgnoresZoom) {
  AddNode({100, 100, 200, 150});
  canvas = RecordingCanvas{};
  canvas.printer = true;
  canvas.dpiY = 600;
  params.zoom = 3.0f;
  Draw();
  ASSERT_NE(canvas.FindText("node"), nullptr);
  EXPECT_EQ(canvas.FindText("node")->font.height, -67);  // 8 pt at 600 dpi
}

TEST_F(PagePainterTest, PictureGoesThroughScratchWithTransparentKeyAndTitleBelow) {
  const int i = AddPictureNode({100, 100, 220, 180}, 120, 80);
  doc->nodes[i].transColor = 0x00FF00FF;
  doc->nodes[i].style.refWaku = 0x000000AA;
  Paint(1.0f);
  EXPECT_EQ(scratch.lastSize, (platform::Size{120, 80}));
  ASSERT_EQ(scratch.canvas.Calls(CanvasOp::DrawPicture).size(), 1u);
  EXPECT_EQ(scratch.canvas.calls[0].rect, (IntRect{0, 0, 120, 80}));
  const auto copies = canvas.Calls(CanvasOp::CopyFrom);
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].rect, (IntRect{100, 100, 220, 180}));
  EXPECT_EQ(copies[0].color, 0x00FF00FF);
  EXPECT_EQ(canvas.Calls(CanvasOp::FrameRect).at(0).rect, (IntRect{100, 100, 220, 180}));
  // Title line: "Dummy" is 11 + 3 pixels high in the recording canvas; margin 5.
  const auto* t = canvas.FindText("node");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->rect, (IntRect{100, 185, 220, 199}));
  EXPECT_EQ(t->flags, platform::text::kCenter | platform::text::kSingleLine | platform::text::kEndEllipsis);
  EXPECT_EQ(TitleOf(i), (document::Rect{100, 185, 220, 204}));
}

TEST_F(PagePainterTest, PictureTitleAboveAndNone) {
  const int above = AddPictureNode({100, 100, 220, 180}, 10, 10);
  doc->nodes[above].titlePos = 1;
  const int none = AddPictureNode({300, 100, 420, 180}, 10, 10);
  doc->nodes[none].titlePos = 0;
  platform::CopyToField(doc->nodes[none].title, "hidden");
  doc->nodeStates[none].titleRect = {1, 2, 3, 4};
  Paint(1.0f);
  EXPECT_EQ(canvas.FindText("node")->rect, (IntRect{100, 81, 220, 95}));
  EXPECT_EQ(TitleOf(above), (document::Rect{100, 81, 220, 100}));
  EXPECT_EQ(canvas.FindText("hidden"), nullptr);
  EXPECT_EQ(TitleOf(none), document::Rect{});
}

TEST_F(PagePainterTest, UnrenderablePictureLeavesNodeWhichGetsDefaultSizeBeforeThePaint) {
  const int i = AddPictureNode({300, 300, 420, 380}, 10, 10);
  scratch.failPictures = true;
  params.pageIndex = 0;
  params.scratch = &scratch;
  EXPECT_TRUE(PreparePage(*doc, canvas, params));
  EXPECT_EQ(doc->nodes[i].hasImage, 0);
  EXPECT_EQ(doc->nodes[i].rect, (document::Rect{250, 275, 350, 325}));  // default size around the corner
  scratch.failPictures = false;
  const int good = AddPictureNode({100, 100, 220, 180}, 10, 10);
  const document::NodeRecord before = doc->nodes[good];
  EXPECT_FALSE(PreparePage(*doc, canvas, params));
  EXPECT_EQ(doc->nodes[good].hasImage, 1);
  EXPECT_EQ(doc->nodes[good].rect, before.rect);
  Paint(1.0f);
  EXPECT_EQ(canvas.Calls(CanvasOp::CopyFrom).size(), 1u);  // the good picture only
}

TEST_F(PagePainterTest, DialRingAndHandlesGoUnderTheFocusedNodesTitle) {
  const int other = AddNode({600, 600, 700, 650}, 1, "other");
  const int n = AddNode({100, 100, 200, 150}, 1, "focused");
  AddArc(n, other);
  doc->nodeStates[n].selected = 1;
  doc->focusedNode = n;
  Paint(1.0f);
  const auto texts = canvas.Calls(CanvasOp::DrawText);
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(texts.back().text, "focused");  // after the dial's radius
  EXPECT_EQ(canvas.calls.back().op, CanvasOp::DrawText);
  EXPECT_EQ(texts[texts.size() - 2].text, std::to_string(doc->header.dialRadius));
}

TEST_F(PagePainterTest, PaintingLeavesTheDocumentAsItWas) {
  const int n = AddNode({100, 100, 100, 100});  // no size yet
  doc->nodeStates[n].titleRect = {1, 2, 3, 4};
  const auto bytes = [&] { return std::vector<char>(reinterpret_cast<const char*>(&doc->nodes[n]),
                                                    reinterpret_cast<const char*>(&doc->nodes[n] + 1)); };
  const auto node = bytes();
  params.pageIndex = 0;
  DrawPage(*doc, canvas, params, &result);
  EXPECT_EQ(bytes(), node);
  EXPECT_EQ(doc->nodeStates[n].titleRect, (document::Rect{1, 2, 3, 4}));
  EXPECT_EQ(result.titleRects.size(), 1u);
}

TEST_F(PagePainterTest, PictureThatCannotBeDecodedKeepsItsNodeAndShowsAPlaceholder) {
  const int i = AddNode({100, 100, 220, 180});
  doc->nodes[i].hasImage = 1;
  doc->nodes[i].image = doc->pictures.AddUndecoded({0xD7, 0xCD, 0xC6, 0x9A});
  Paint(1.0f);
  EXPECT_EQ(doc->nodes[i].hasImage, 1);
  EXPECT_EQ(doc->nodes[i].rect, (document::Rect{100, 100, 220, 180}));
  EXPECT_TRUE(canvas.Calls(CanvasOp::CopyFrom).empty());
  ASSERT_FALSE(canvas.Calls(CanvasOp::FrameRect).empty());
  EXPECT_EQ(canvas.Calls(CanvasOp::FrameRect)[0].rect, (IntRect{100, 100, 220, 180}));
  EXPECT_EQ(canvas.Calls(CanvasOp::Line).size(), 2u);
}

TEST_F(PagePainterTest, MissingScratchLeavesPictureOutButKeepsIt) {
  const int i = AddPictureNode({100, 100, 220, 180}, 10, 10);
  scratch.fail = true;
  Paint(1.0f);
  EXPECT_TRUE(canvas.Calls(CanvasOp::CopyFrom).empty());
  EXPECT_EQ(doc->nodes[i].hasImage, 1);
}

TEST_F(PagePainterTest, DefaultSizesComeFromParamsAndFitThePage) {
  const int mid = AddNode({500, 500, 500, 500});
  const int edge = AddNode({990, 10, 990, 10});
  const int slip = AddSlip({400, 400, 400, 400});
  params.sizes = {100, 50, 60, 40};
  Paint(1.0f);
  EXPECT_EQ(doc->nodes[mid].rect, (document::Rect{450, 475, 550, 525}));
  EXPECT_EQ(doc->nodes[edge].rect, (document::Rect{900, 0, 1000, 50}));
  EXPECT_EQ(doc->slips[slip].rect, (document::Rect{370, 380, 430, 420}));
}

TEST_F(PagePainterTest, ItemEditedInPlaceIsNotBoxedOrTitled) {
  const int n = AddNode({100, 100, 200, 150});
  doc->nodeStates[n].selected = 1;
  const int s = AddSlip({300, 100, 400, 150});
  params.editTarget = n + 1;
  Paint(1.0f);
  EXPECT_EQ(Boxes().size(), 1u);  // the slip's box only
  EXPECT_EQ(canvas.FindText("node"), nullptr);
  EXPECT_EQ(TitleOf(n), document::Rect{});
  params.editTarget = -(s + 1);
  Paint(1.0f);
  EXPECT_EQ(canvas.FindText("slip"), nullptr);
  EXPECT_NE(canvas.FindText("node"), nullptr);
}

TEST_F(PagePainterTest, OnlyItemsOfThePageAreDrawnAndLaterCoverEarlier) {
  AddNode({100, 100, 200, 150}, 1, "first");
  AddNode({100, 100, 200, 150}, 2, "other page");
  AddNode({120, 120, 220, 170}, 1, "second");
  AddSlip({110, 110, 210, 160}, 1, "on top");
  Paint(1.0f);
  EXPECT_EQ(canvas.FindText("other page"), nullptr);
  const auto texts = canvas.Calls(CanvasOp::DrawText);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, "first");
  EXPECT_EQ(texts[1].text, "second");
  EXPECT_EQ(texts[2].text, "on top");
}

TEST_F(PagePainterTest, ItemsOutsideTheTargetAreSkippedButTitleRectIsKept) {
  const int far = AddNode({800, 800, 900, 850}, 1, "far");
  AddNode({10, 10, 60, 40}, 1, "near");
  canvas = RecordingCanvas{};
  canvas.targetBounds = {0, 0, 300, 300};
  params.zoom = 1.0f;
  Draw();
  EXPECT_EQ(canvas.FindText("far"), nullptr);
  EXPECT_NE(canvas.FindText("near"), nullptr);
  EXPECT_EQ(TitleOf(far), (document::Rect{805, 805, 895, 845}));
}

TEST_F(PagePainterTest, NoPageNothingDrawn) {
  Paint(1.0f, 5);
  EXPECT_TRUE(canvas.calls.empty());
}

}  // namespace
}  // namespace plume::chartview
