// The chart view's commands in the window: undo from the quick access bar
// and Ctrl+Z, with its enabled state and the modified mark.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTest>

#include "ShellUiFixture.h"
#include "chartview/ui/CTesselView.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CommandRouter.h"
#include "document/DemoChart.h"
#include "platform/qt/QtPixelCodec.h"

namespace plume::shell::testing {
namespace {

class ViewCommandsTest : public DemoFrameTest {
 protected:
  void SetUp() override {
    DemoFrameTest::SetUp();
    if (HasFatalFailure()) return;
    frame->resize(1200, 800);
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    QApplication::processEvents();
  }
  bool UndoEnabled() {
    frame->Router().Refresh();
    return frame->Router().Action(CommandId::ID_UNDO)->isEnabled();
  }
  /// Drags the first node on the current page by (dx, dy) screen pixels.
  void DragFirstNode(int dx, int dy) {
    chartview::CTesselView* view = frame->ChartView();
    const document::Rect r = Node().rect;
    const float zoom = view->View().Zoom();
    const QPoint scroll = view->ScrollPosition();
    const QPoint from(static_cast<int>((r.left + r.right) / 2 * zoom) - scroll.x(),
                      static_cast<int>((r.top + r.bottom) / 2 * zoom) - scroll.y());
    QWidget* port = view->viewport();
    QTest::mousePress(port, Qt::LeftButton, {}, from);
    QTest::mouseMove(port, from + QPoint(dx / 2, dy / 2));
    QTest::mouseMove(port, from + QPoint(dx, dy));
    QTest::mouseRelease(port, Qt::LeftButton, {}, from + QPoint(dx, dy));
    QApplication::processEvents();
  }
  document::NodeRecord& Node() {
    document::ChartDocument& chart = *app->Chart();
    for (int i = 0; i < chart.nodeCount; ++i)
      if (chart.nodes[i].pageId == chart.CurrentPage().pageId) return chart.nodes[i];
    return chart.nodes[0];
  }

};

TEST_F(ViewCommandsTest, UndoIsEnabledExactlyWhenAMoveCanBeTakenBackAndMarksTheDocument) {
  EXPECT_FALSE(UndoEnabled());
  const document::Rect before = Node().rect;
  DragFirstNode(120, 80);
  ASSERT_NE(Node().rect, before);
  EXPECT_TRUE(UndoEnabled());

  // Saved, then undone: the chart differs from its file again.
  doc->modified = false;
  QTest::keyClick(frame->ChartView()->viewport(), Qt::Key_Z, Qt::ControlModifier);
  QApplication::processEvents();
  EXPECT_EQ(Node().rect, before);
  EXPECT_TRUE(doc->modified);
  EXPECT_FALSE(UndoEnabled());
  QDir().mkpath(QStringLiteral("/tmp/shots/arch"));
  frame->grab().save(QStringLiteral("/tmp/shots/arch/after-move-and-ctrl-z.png"));

  // A new item drops the record: the button greys.
  DragFirstNode(40, 0);
  EXPECT_TRUE(UndoEnabled());
  ASSERT_TRUE(app->Chart()->AddSlip("new", 10, 10));
  EXPECT_FALSE(UndoEnabled());
  EXPECT_FALSE(frame->Router().Trigger(static_cast<int>(CommandId::ID_UNDO)));
}

}  // namespace
}  // namespace plume::shell::testing
