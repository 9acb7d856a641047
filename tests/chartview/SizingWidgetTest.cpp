// Resizing by a handle, a page-edge drag and a dial turn through the real
// chart view widget, with mouse events on its viewport.

#include <gtest/gtest.h>

#include <QDir>
#include <QTest>

#include <memory>

#include "../support/ChartViewNulls.h"
#include "ChartFixture.h"
#include "chartview/EditingController.h"
#include "chartview/ui/CTesselView.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"

namespace plume::chartview {
namespace {

using document::Rect;

class SizingWidgetTest : public ::testing::Test, public testing::ChartFixture {
 protected:
  SizingWidgetTest() {
    platform::SetMessageSink(&sink);
    doc->CurrentPage().pageWidth = 600;
    doc->CurrentPage().pageHeight = 500;
    hub = AddNode({240, 180, 340, 240}, 1, "hub");
    leaf = AddNode({420, 190, 500, 230}, 1, "leaf");
    AddArc(hub, leaf);
    widget = std::make_unique<CTesselView>(*doc, store, nullptr, frame);
    widget->resize(700, 600);
    editing = std::make_unique<EditingController>(widget->View(), widget->Host(), store);
    editing->feedbackFrame = [this](const platform::IntRect& r, platform::CanvasColor colour, int width) {
      widget->ShowFeedbackFrame(r, colour, width);
      lastFeedback = r;
    };
    widget->SetEditingPort(editing.get());
    widget->show();
    widget->grab();  // the back buffer the feedback is drawn on
  }
  ~SizingWidgetTest() override {
    widget->SetEditingPort(nullptr);
    platform::SetMessageSink(nullptr);
  }

  void Focus(int node) {
    doc->nodeStates[node].selected = 1;
    doc->focusedNode = node;
    widget->grab();
  }
  QWidget* Port() { return widget->viewport(); }
  void Shot(const char* name) {
    QDir().mkpath("/tmp/shots/edit");
    widget->grab().save(QString("/tmp/shots/edit/%1.png").arg(name));
  }

  platform::ScriptedMessageSink sink;
  platform::MemorySettingsStore store;
  int hub = 0, leaf = 0;
  platform::IntRect lastFeedback;
  plume::testing::RecordingViewFrame frame;
  std::unique_ptr<CTesselView> widget;
  std::unique_ptr<EditingController> editing;
};

TEST_F(SizingWidgetTest, ResizeByTheRightBottomHandle) {
  Focus(leaf);
  const QPoint handle(501, 231);  // right-bottom of the rect grown by its frame
  QTest::mousePress(Port(), Qt::LeftButton, {}, handle);
  QTest::mouseMove(Port(), QPoint(540, 280));
  Shot("resize_dragging");
  QTest::mouseRelease(Port(), Qt::LeftButton, {}, QPoint(540, 280));
  EXPECT_EQ(doc->nodes[leaf].rect, (Rect{420, 190, 540, 280}));
  EXPECT_EQ(doc->History().NextUndo(), document::EditStep::Resize);
  Shot("resize_done");
}

TEST_F(SizingWidgetTest, PageRightEdgeDraggedOutward) {
  QTest::mousePress(Port(), Qt::LeftButton, {}, QPoint(600, 300));
  QTest::mouseMove(Port(), QPoint(650, 300));
  EXPECT_EQ(lastFeedback, (platform::IntRect{648, 0, 652, 500})) << "the bar across the page";
  EXPECT_EQ(widget->BackBuffer().pixelColor(650, 300), QColor(100, 100, 180));
  Shot("page_edge_dragging");
  QTest::mouseRelease(Port(), Qt::LeftButton, {}, QPoint(660, 300));
  EXPECT_EQ(doc->CurrentPage().pageWidth, 660);
  Shot("page_edge_done");
}

TEST_F(SizingWidgetTest, PageEdgeDragShowsTheNewSizeBesideThePointerAndErasesIt) {
  const QRect label(658, 308, 24, 12);  // right of and below the pointer at (650, 300)
  const QImage before = widget->BackBuffer().copy(label);
  const int renders = widget->PageRenders();
  QTest::mousePress(Port(), Qt::LeftButton, {}, QPoint(600, 300));
  QTest::mouseMove(Port(), QPoint(650, 300));
  EXPECT_NE(widget->BackBuffer().copy(label), before) << "the width 650 is drawn";
  QDir().mkpath("/tmp/shots/gaps");
  widget->BackBuffer().save("/tmp/shots/gaps/page_edge_number.png");

  // 30 pixels above the page bottom there is no room for it.
  const QRect low(658, 478, 24, 12);
  const QImage lowBefore = widget->BackBuffer().copy(low);
  QTest::mouseMove(Port(), QPoint(650, 470));
  EXPECT_EQ(widget->BackBuffer().copy(low), lowBefore);
  EXPECT_EQ(widget->BackBuffer().copy(label), before) << "the number moved away with the pointer";
  QTest::mouseMove(Port(), QPoint(650, 300));

  // Back within a pixel of the press: nothing changes, the feedback goes.
  QTest::mouseRelease(Port(), Qt::LeftButton, {}, QPoint(601, 300));
  EXPECT_EQ(doc->CurrentPage().pageWidth, 600);
  EXPECT_EQ(widget->BackBuffer().copy(label), before);
  EXPECT_EQ(widget->PageRenders(), renders) << "the drag never painted the page";
}

TEST_F(SizingWidgetTest, DialQuarterTurn) {
  Focus(hub);
  Shot("dial_before");
  // Centre (290, 210), radius 70: press on the ring right of the centre is
  // the knob, so press below it and release to the right at the radius.
  QTest::mousePress(Port(), Qt::LeftButton, {}, QPoint(290, 280));
  QTest::mouseMove(Port(), QPoint(340, 260));
  QTest::mouseRelease(Port(), Qt::LeftButton, {}, QPoint(360, 210));
  // The leaf, 170 right of the centre, turns a quarter back to 170 above it.
  const Rect r = doc->nodes[leaf].rect;
  EXPECT_EQ((r.left + r.right) / 2, 290);
  EXPECT_EQ((r.top + r.bottom) / 2, 40);
  Shot("dial_after");
}

}  // namespace
}  // namespace plume::chartview
