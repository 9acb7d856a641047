#include "chartview/ChartView.h"

#include <gtest/gtest.h>

#include <string>

#include "../support/ChartViewNulls.h"
#include "ChartFixture.h"
#include "chartview/ChartViewHooks.h"
#include "platform/MemorySettingsStore.h"
#include "platform/SettingsTable.h"

namespace plume::chartview {
namespace {

using platform::CanvasOp;
using platform::IntRect;
using platform::RecordingCanvas;
namespace settings = platform::settings;

struct FakeHost : ViewHost {
  explicit FakeHost(document::ChartDocument& doc) : changes(doc) {}
  int consoleRebuilds = 0, consoleDraws = 0;
  platform::Size extent;
  std::string position, size;
  plume::testing::ChangeCounter changes;
  void SetScrollExtent(platform::Size e) override { extent = e; }
  void RebuildConsole() override { ++consoleRebuilds; }
  void DrawConsole(platform::Canvas& canvas) override {
    ++consoleDraws;
    canvas.FrameRect({14, 14, 144, 144}, 0);
  }
  void ShowStatusPanes(std::string_view p, std::string_view s) override {
    position = p;
    size = s;
  }
};

class ChartViewTest : public ::testing::Test, protected testing::ChartFixture {
 protected:
  platform::MemorySettingsStore store;
  FakeHost host{*doc};
  ChartView view{*doc, store, host};
};

TEST_F(ChartViewTest, SetZoomClampsAndMarks) {
  view.SetZoom(5.0f);
  EXPECT_EQ(view.ZoomPercent(), 400);
  view.SetZoom(0.01f);
  EXPECT_EQ(view.ZoomPercent(), 8);
  EXPECT_EQ(host.changes.modified, 2);
  EXPECT_EQ(host.consoleRebuilds, 2);
  EXPECT_EQ(host.changes.erased, 2);
  EXPECT_EQ(host.extent, (platform::Size{84, 84}));  // (1000 + 50) x 0.08
}

TEST_F(ChartViewTest, ZoomCommandsAndFit) {
  EXPECT_TRUE(view.RunZoomCommand(ChartView::kCmdZoom300));
  EXPECT_EQ(view.ZoomPercent(), 300);
  view.SetClientSize({800, 600});
  EXPECT_TRUE(view.RunZoomCommand(ChartView::kCmdZoomFit));
  EXPECT_EQ(view.ZoomPercent(), 60);
  EXPECT_EQ(view.ScrollExtent(), (platform::Size{630, 630}));
  EXPECT_FALSE(view.RunZoomCommand(341));
}

TEST_F(ChartViewTest, ChangeZoomStepsInPercentAndStopsAtLimits) {
  view.SetZoom(1.0f);
  view.ChangeZoom(1);
  EXPECT_EQ(view.ZoomPercent(), 101);
  view.ChangeZoom(-1000);
  EXPECT_EQ(view.ZoomPercent(), 8);
  view.ChangeZoom(628);
  EXPECT_EQ(view.ZoomPercent(), 400);
}

TEST_F(ChartViewTest, ZoomComesFromAndGoesToSettings) {
  settings::Set(store, settings::Last::Zoom, 250);
  ChartView other(*doc, store, host);
  EXPECT_FLOAT_EQ(other.Zoom(), 2.5f);
  other.SetZoom(0.333f);
  other.SaveZoomToSettings();
  EXPECT_EQ(settings::Get(store, settings::Last::Zoom), 33);
  settings::Set(store, settings::Last::Zoom, 0);
  other.LoadZoomFromSettings();
  EXPECT_EQ(other.ZoomPercent(), 8);
}

TEST_F(ChartViewTest, OnDrawShiftsByScrollFillsWhiteBesidePageAndWritesPanes) {
  view.SetZoom(0.5f);
  view.SetClientSize({800, 600});
  view.SetScroll({100, 0});
  const int n = AddNode({100, 200, 300, 260});
  doc->focusedNode = n;
  RecordingCanvas canvas;
  view.OnDraw(canvas);
  EXPECT_EQ(canvas.calls.front().op, CanvasOp::SetOrigin);
  EXPECT_EQ(canvas.calls.front().a, (platform::Point{-100, 0}));
  std::vector<IntRect> white;
  for (const auto& c : canvas.Calls(CanvasOp::Rectangle))
    if (c.brush == platform::Brush::Solid(0x00FFFFFF) && c.pen == platform::Pen::None()) white.push_back(c.rect);
  ASSERT_EQ(white.size(), 2u);
  EXPECT_EQ(white[0], (IntRect{500, 0, 900, 600}));  // right of the 500-pixel page
  EXPECT_EQ(white[1], (IntRect{100, 500, 500, 600}));  // below it
  EXPECT_EQ(host.consoleDraws, 1);
  EXPECT_EQ(canvas.calls.back().op, CanvasOp::FrameRect);  // console drawn last, in client pixels
  EXPECT_EQ(host.position, "100, 200");
  EXPECT_EQ(host.size, "200 x 60");
}

TEST_F(ChartViewTest, OnlyTheScreenPaintKeepsTitleRectanglesAndLinkMarkers) {
  view.SetZoom(1.0f);
  view.SetClientSize({800, 600});
  const int a = AddNode({100, 100, 200, 150});
  const int other = AddNode({400, 100, 500, 150}, 2);
  doc->arcs[doc->arcCount++] = {doc->nodes[a].nodeId, doc->nodes[other].nodeId};
  RecordingCanvas screen;
  view.OnDraw(screen);
  const document::Rect title = doc->nodeStates[a].titleRect;
  ASSERT_GT(title.Width(), 0);
  ASSERT_EQ(view.LinkMarkers().size(), 1u);
  const auto markers = view.LinkMarkers();
  // An export or print paints the same page at another zoom.
  view.SetZoom(0.5f);
  RecordingCanvas exported;
  view.DrawPage(exported, 0);
  EXPECT_FALSE(exported.calls.empty());
  EXPECT_EQ(doc->nodeStates[a].titleRect, title);
  EXPECT_EQ(view.LinkMarkers(), markers);
}

TEST_F(ChartViewTest, StatusPanesFallBackToSlipThenNothing) {
  const int s = AddSlip({5, 6, 50, 26});
  doc->focusedSlip = s;
  RecordingCanvas canvas;
  view.OnDraw(canvas);
  EXPECT_EQ(host.position, "5, 6");
  EXPECT_EQ(host.size, "45 x 20");
  doc->focusedSlip = -1;
  view.OnDraw(canvas);
  EXPECT_EQ(host.position, "-1, -1");
  EXPECT_EQ(host.size, "0 x 0");
}

TEST_F(ChartViewTest, DocumentShownResetsViewState) {
  doc->header.dialRadius = 200;
  doc->pages[0].scrollX = 40;
  doc->pages[0].scrollY = 70;
  const int n = AddNode({0, 0, 10, 10});
  doc->nodeStates[n].selected = 1;
  doc->focusedNode = n;
  doc->CommitEdit(document::EditStep::NewNode);
  ASSERT_TRUE(view.CanUndo());
  view.DocumentShown();
  EXPECT_EQ(doc->header.dialRadius, 70);
  EXPECT_EQ(view.Scroll(), (platform::Point{40, 70}));
  EXPECT_EQ(doc->focusedNode, -1);
  EXPECT_EQ(doc->nodeStates[n].selected, 0);
  EXPECT_FALSE(view.CanUndo());
}

TEST_F(ChartViewTest, HooksReachTheView) {
  ChartViewHooks hooks(view, store);
  doc->SetHooks(&hooks);
  view.SetZoom(2.0f);
  AddNode({0, 0, 10, 10});
  doc->CommitEdit(document::EditStep::NewNode);
  // A new document: zoom back to the stored value, the history gone.
  settings::Set(store, settings::Last::Zoom, 150);
  ASSERT_TRUE(view.CanUndo());
  doc->NewDocument();
  EXPECT_EQ(view.ZoomPercent(), 150);
  EXPECT_FALSE(view.CanUndo());
  doc->SetHooks(nullptr);
}

TEST_F(ChartViewTest, DefaultSizesAreReadFromSettingsAtPaint) {
  settings::Set(store, settings::KanSet::NodeWidth, 200);
  const int n = AddNode({500, 500, 500, 500});
  RecordingCanvas canvas;
  view.DrawPage(canvas, 0);
  EXPECT_EQ(doc->nodes[n].rect, (document::Rect{400, 475, 600, 525}));
}

}  // namespace
}  // namespace plume::chartview
