// The chart view's commands in the window: undo and redo from the quick
// access bar and their keys, with their enabled state, their tooltips, the
// modified mark and the page tabs.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTest>

#include "ShellUiFixture.h"
#include "chartview/ui/CTesselView.h"
#include "document/ui/CUnderBar.h"
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
  bool Enabled(CommandId id) {
    frame->Router().Refresh();
    return frame->Router().Action(id)->isEnabled();
  }
  std::string Tip(CommandId id) { return frame->Router().Action(id)->toolTip().toStdString(); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QTest::keyClick(frame->ChartView()->viewport(), key, modifiers);
    QApplication::processEvents();
  }
  document::DocumentChanges& Changes() { return app->Chart()->Changes(); }
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

TEST_F(ViewCommandsTest, UndoAndRedoActOnlyWhenTheyCanAndNameTheStep) {
  EXPECT_FALSE(Enabled(CommandId::ID_UNDO));
  EXPECT_FALSE(Enabled(CommandId::ID_REDO));
  const document::Rect before = Node().rect;
  DragFirstNode(120, 80);
  const document::Rect moved = Node().rect;
  ASSERT_NE(moved, before);
  EXPECT_TRUE(Enabled(CommandId::ID_UNDO));
  EXPECT_EQ(Tip(CommandId::ID_UNDO), "【アンドゥ】(Ctrl + Z)\n移動を元に戻す");

  // Saved, then undone: the chart differs from its file again.
  Changes().SetModified(false);
  Key(Qt::Key_Z);
  EXPECT_EQ(Node().rect, before);
  EXPECT_TRUE(Changes().IsModified());
  EXPECT_FALSE(Enabled(CommandId::ID_UNDO));
  EXPECT_TRUE(Enabled(CommandId::ID_REDO));
  EXPECT_EQ(Tip(CommandId::ID_REDO), "【リドゥ】(Ctrl + Y)\n移動をやり直す");
  QDir().mkpath(QStringLiteral("/tmp/shots/arch"));
  frame->grab().save(QStringLiteral("/tmp/shots/arch/after-move-and-ctrl-z.png"));

  // Both redo keys; back at the saved state the chart is unmodified.
  Key(Qt::Key_Y);
  EXPECT_EQ(Node().rect, moved);
  EXPECT_FALSE(Changes().IsModified());
  Key(Qt::Key_Z);
  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Node().rect, moved);

  // A new edit drops what could be redone.
  Key(Qt::Key_Z);
  DragFirstNode(40, 0);
  EXPECT_FALSE(Enabled(CommandId::ID_REDO));
  EXPECT_EQ(Tip(CommandId::ID_REDO), "【リドゥ】(Ctrl + Y)\n元に戻した操作をやり直します");
  EXPECT_FALSE(frame->Router().Trigger(static_cast<int>(CommandId::ID_REDO)));
}

TEST_F(ViewCommandsTest, UndoingAPageDeletionBringsItsTabBackAndShowsIt) {
  document::CUnderBar* bar = frame->TabBar();
  const int tabs = bar->count();
  ASSERT_GT(tabs, 1);
  bar->Tabs()->RightClick(1);
  const auto counts = bar->Tabs()->CountsOf(1);
  // With nodes on it the page asks whether their materials go too: no.
  sink.Answer(counts.withPicture + counts.withoutPicture > 0 ? platform::MsgResult::No : platform::MsgResult::Yes);
  ASSERT_TRUE(bar->Tabs()->DeleteCurrentPage());
  bar->Sync();
  ASSERT_EQ(bar->count(), tabs - 1);
  bar->Tabs()->Click(0);
  ASSERT_TRUE(frame->Router().Trigger(static_cast<int>(CommandId::ID_UNDO)));
  EXPECT_EQ(bar->count(), tabs);
  EXPECT_EQ(bar->currentIndex(), 1);
  EXPECT_EQ(app->Chart()->header.currentPage, 1);
}

}  // namespace
}  // namespace plume::shell::testing
