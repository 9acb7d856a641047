// The chart area widget driven end to end with real mouse and key events on
// its viewport: selection, moves with their feedback, the rubber band, the
// context menu, keys and the pointer animation.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QTest>

#include <vector>

#include "../support/ChartViewNulls.h"
#include "ChartFixture.h"
#include "chartview/ContextMenus.h"
#include "chartview/ui/CTesselView.h"
#include "chartview/ui/PointerAnimation.h"
#include "platform/MemorySettingsStore.h"

namespace plume::chartview {
namespace {

using testing::ChartFixture;

/// How many pixels differ between two pictures of the same size.
int CountChanged(const QImage& a, const QImage& b) {
  int count = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) ++count;
  return count;
}

struct MenuItem {
  int command;
  bool enabled;
  bool checked = false;
};

class ViewWidgetTest : public ::testing::Test, public ChartFixture {
 protected:
  ViewWidgetTest() {
    nodeA = AddNode({100, 100, 200, 160});
    nodeB = AddNode({400, 100, 500, 160});
    slip = AddSlip({100, 300, 200, 360});
    widget = std::make_unique<CTesselView>(*doc, store, nullptr, frame);
    frame.enabled = [](int id) { return id == kCopyNodes; };
    widget->SetMenuRunner([this](QMenu& menu, QPoint) -> QAction* {
      shownMenus.emplace_back();
      QAction* answer = nullptr;
      std::vector<QMenu*> pending{&menu};
      while (!pending.empty()) {
        QMenu* m = pending.back();
        pending.pop_back();
        for (QAction* action : m->actions()) {
          if (action->menu()) pending.push_back(action->menu());
          if (action->isSeparator() || action->menu()) continue;
          shownMenus.back().push_back({action->data().toInt(), action->isEnabled(), action->isChecked()});
          if (action->data().toInt() == menuAnswer) answer = action;
        }
      }
      return answer;
    });
    widget->resize(800, 600);
    widget->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(widget.get()));
    Settle();
  }

  QWidget* Port() { return widget->viewport(); }
  void Settle() { QApplication::processEvents(); }
  void Press(QPoint at, Qt::KeyboardModifiers mods = {}) {
    QTest::mousePress(Port(), Qt::LeftButton, mods, at);
    Settle();
  }
  void Release(QPoint at, Qt::KeyboardModifiers mods = {}) {
    QTest::mouseRelease(Port(), Qt::LeftButton, mods, at);
    Settle();
  }
  /// A move with the left button held (QTest carries the pressed button).
  void DragTo(QPoint at) {
    QTest::mouseMove(Port(), at);
    Settle();
  }
  /// A move without buttons, straight to the viewport.
  void Hover(QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, Port()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Port(), &move);
    Settle();
  }
  void Shot(const char* name) {
    QDir().mkpath(QStringLiteral("/tmp/shots/widget"));
    widget->BackBuffer().save(QStringLiteral("/tmp/shots/widget/") + QLatin1String(name) + QStringLiteral(".png"));
  }
  document::Rect NodeRect(int i) const { return doc->nodes[i].rect; }

  static constexpr int kCopyNodes = 32792;
  platform::MemorySettingsStore store;
  int nodeA = -1, nodeB = -1, slip = -1;
  plume::testing::RecordingViewFrame frame;
  std::unique_ptr<CTesselView> widget;
  std::vector<int>& commands = frame.commands;
  std::vector<std::vector<MenuItem>> shownMenus;
  int menuAnswer = 0;
};

TEST_F(ViewWidgetTest, ClickSelectsWithoutMovingAndSmallDragsFollowEachKindsThreshold) {
  // A 4-pixel drag of a node is a click: selected, focused, not moved.
  Press({150, 130});
  DragTo({154, 130});
  Release({154, 130});
  EXPECT_TRUE(doc->nodeStates[nodeA].selected);
  EXPECT_EQ(doc->focusedNode, nodeA);
  EXPECT_EQ(NodeRect(nodeA), (document::Rect{100, 100, 200, 160}));

  // The same drag of a slip moves it: its threshold is 2 pixels.
  Press({150, 330});
  DragTo({154, 330});
  Release({154, 330});
  EXPECT_TRUE(doc->slips[slip].selected);
  EXPECT_EQ(doc->focusedSlip, slip);
  EXPECT_EQ(doc->slips[slip].rect, (document::Rect{104, 300, 204, 360}));
  EXPECT_FALSE(doc->nodeStates[nodeA].selected);  // the plain click cleared the nodes

  // With a node focused, Ctrl-click adds another without moving anything.
  Press({150, 130});
  Release({150, 130});
  Press({450, 130}, Qt::ControlModifier);
  DragTo({480, 160});
  Release({480, 160}, Qt::ControlModifier);
  EXPECT_TRUE(doc->nodeStates[nodeA].selected);
  EXPECT_TRUE(doc->nodeStates[nodeB].selected);
  EXPECT_EQ(doc->focusedNode, nodeB);
  EXPECT_EQ(NodeRect(nodeB), (document::Rect{400, 100, 500, 160}));
}

TEST_F(ViewWidgetTest, DragShowsOnlyFeedbackAndPaintsThePageOnceWhenDropped) {
  const QImage before = widget->BackBuffer().copy();
  Press({150, 130});
  const int renders = widget->PageRenders();  // the click's selection is painted
  const QImage selected = widget->BackBuffer().copy();
  Shot("drag-0-pressed");

  DragTo({200, 180});
  EXPECT_EQ(widget->PageRenders(), renders);
  // Only the outline changed the buffer: the dashes around a 100 x 60 box.
  const int changed = CountChanged(widget->BackBuffer(), selected);
  EXPECT_GT(changed, 200);
  EXPECT_LT(changed, 2 * 2 * (104 + 64));
  EXPECT_EQ(NodeRect(nodeA), (document::Rect{100, 100, 200, 160}));  // nothing moved yet
  EXPECT_EQ(Port()->cursor().shape(), Qt::SizeAllCursor);
  Shot("drag-1-feedback");

  DragTo({260, 240});
  EXPECT_EQ(widget->PageRenders(), renders);
  // The first outline was erased: the buffer shows the selected page plus one outline.
  EXPECT_EQ(CountChanged(widget->BackBuffer(), selected), changed);
  Shot("drag-2-feedback");

  Release({260, 240});
  EXPECT_EQ(widget->PageRenders(), renders + 1);
  EXPECT_EQ(NodeRect(nodeA), (document::Rect{210, 210, 310, 270}));
  // The page painted anew: the node at its new place, no outline left.
  EXPECT_NE(widget->BackBuffer(), before);
  EXPECT_EQ(widget->BackBuffer().pixel(150, 130), before.pixel(700, 500));  // old place now blank
  EXPECT_EQ(widget->BackBuffer().pixel(260, 240), before.pixel(150, 130));  // node body there
  EXPECT_EQ(Port()->cursor().shape(), Qt::ArrowCursor);
  Shot("drag-3-dropped");
}

TEST_F(ViewWidgetTest, NodeDraggedOverAnotherPagesTabLandsOnThatPageClamped) {
  doc->pages[1].pageHeight = 500;
  // A page tab band below the view, as the frame reports it in display coordinates.
  const int tabTop = Port()->mapToGlobal(QPoint(0, 550)).y();
  frame.tabAt = [tabTop](platform::Point global) { return global.y >= tabTop ? 1 : -1; };
  Press({150, 130});
  DragTo({150, 300});
  DragTo({150, 560});
  EXPECT_EQ(doc->header.currentPage, 1);
  EXPECT_TRUE(doc->nodeStates[nodeA].selected);  // a drag keeps the selection over the switch
  Release({150, 560});
  const document::NodeRecord& node = doc->nodes[nodeA];
  EXPECT_EQ(node.pageId, 2);
  EXPECT_EQ(node.rect.Height(), 60);
  EXPECT_LT(node.rect.bottom + node.style.Futosa, 500);  // clamped into the shorter page
  EXPECT_EQ(node.rect.left, 100);
}

TEST_F(ViewWidgetTest, FeedbackFrameIsErasedWithoutPaintingThePage) {
  const QImage page = widget->BackBuffer().copy();
  const int renders = widget->PageRenders();
  widget->ShowFeedbackFrame({300, 300, 430, 430}, 0x00800000);
  Settle();
  EXPECT_EQ(QColor(widget->BackBuffer().pixel(300, 350)), QColor(0, 0, 128));
  EXPECT_EQ(CountChanged(widget->BackBuffer(), page), 4 * 129);
  widget->ShowFeedbackFrame({310, 310, 440, 440}, 0x00800000);  // the first frame goes first
  EXPECT_EQ(CountChanged(widget->BackBuffer(), page), 4 * 129);
  widget->EraseFeedback();
  Settle();
  EXPECT_EQ(widget->BackBuffer(), page);
  EXPECT_EQ(widget->PageRenders(), renders);
}

TEST_F(ViewWidgetTest, RubberBandSelectsTheItemsInsideAndErasesItself) {
  Press({50, 50});
  const int renders = widget->PageRenders();
  DragTo({260, 220});
  EXPECT_EQ(widget->PageRenders(), renders);
  EXPECT_EQ(QColor(widget->BackBuffer().pixel(50, 100)), QColor(Qt::black));  // the band's left side
  Shot("band-1");
  Release({260, 220});
  EXPECT_TRUE(doc->nodeStates[nodeA].selected);
  EXPECT_FALSE(doc->nodeStates[nodeB].selected);
  EXPECT_FALSE(doc->slips[slip].selected);
  EXPECT_EQ(doc->focusedNode, nodeA);
  EXPECT_NE(QColor(widget->BackBuffer().pixel(50, 100)), QColor(Qt::black));

  // A band around a node and a slip asks which kind to select.
  menuAnswer = 32863;
  Press({50, 50});
  DragTo({260, 400});
  Release({260, 400});
  ASSERT_EQ(shownMenus.size(), 1u);
  EXPECT_EQ(shownMenus[0].size(), 2u);
  EXPECT_TRUE(shownMenus[0][0].enabled && shownMenus[0][1].enabled);
  EXPECT_TRUE(doc->slips[slip].selected);
  EXPECT_FALSE(doc->nodeStates[nodeA].selected);
}

TEST_F(ViewWidgetTest, RightClickOnANodeShowsTheNodeMenuAndRunsTheChoice) {
  menuAnswer = kCopyNodes;
  QTest::mouseClick(Port(), Qt::RightButton, {}, QPoint(450, 130));
  Settle();
  ASSERT_EQ(shownMenus.size(), 1u);
  EXPECT_EQ(doc->focusedNode, nodeB);
  EXPECT_TRUE(doc->nodeStates[nodeB].selected);
  auto find = [&](int id) {
    for (const MenuItem& item : shownMenus[0])
      if (item.command == id) return item;
    return MenuItem{0, false};
  };
  EXPECT_TRUE(find(kCopyNodes).enabled);
  EXPECT_EQ(find(32795).command, 32795);  // delete is there but its handler is not
  EXPECT_FALSE(find(32795).enabled);
  EXPECT_FALSE(find(372).enabled);  // the view's own pick: greyed for a node without a picture
  EXPECT_EQ(commands, std::vector<int>{kCopyNodes});

  // Over empty space the VIEW menu; a zoom command is the view's own.
  menuAnswer = 0;
  QTest::mouseClick(Port(), Qt::RightButton, {}, QPoint(700, 500));
  Settle();
  ASSERT_EQ(shownMenus.size(), 2u);
  EXPECT_EQ(find(32784).command, 0);  // (first menu) select-all nodes is not on NODE
  EXPECT_FALSE(doc->nodeStates[nodeB].selected);
}

TEST_F(ViewWidgetTest, MenusTakeThePageTypeFromTheFrameAndTheConsoleCheckFromTheConsole) {
  auto find = [&](int id) {
    for (const MenuItem& item : shownMenus.back())
      if (item.command == id) return item;
    return MenuItem{0, false};
  };
  frame.enabled = {};  // every command of the frame available
  for (const auto& [type, capturable] : {std::pair{"PDF", false}, {"HTML", true}}) {
    frame.htmlTypeWord = type;
    QTest::mouseClick(Port(), Qt::RightButton, {}, QPoint(700, 500));
    Settle();
    EXPECT_EQ(find(ContextMenus::kCmdPartialCapture).enabled, capturable) << type;
  }
  struct PinnedConsole : plume::testing::NullConsolePort {
    int HitTest(platform::Point, bool) override { return 1; }
    bool AlwaysShown() const override { return true; }
  } console;
  widget->SetConsolePort(&console);
  QTest::mouseClick(Port(), Qt::RightButton, {}, QPoint(700, 500));
  Settle();
  EXPECT_TRUE(find(ContextMenus::kCmdConsoleAlwaysShown).checked);
  widget->SetConsolePort(nullptr);
}

TEST_F(ViewWidgetTest, KeysRunTheViewsCommandsAndMoveTheSelection) {
  Press({150, 130});
  Release({150, 130});
  QTest::keyClick(widget.get(), Qt::Key_Delete);
  QTest::keyClick(widget.get(), Qt::Key_Down);
  EXPECT_EQ(commands, std::vector<int>{32795});
  EXPECT_EQ(NodeRect(nodeA), (document::Rect{100, 110, 200, 170}));

  Press({150, 330});
  Release({150, 330});
  commands.clear();
  QTest::keyClick(widget.get(), Qt::Key_Delete);
  EXPECT_EQ(commands, std::vector<int>{32854});
}

TEST_F(ViewWidgetTest, PointerAnimationCirclesAnUnselectedItemAndLeavesNoTrace) {
  frame.trails = 3;
  Hover({700, 500});
  const QImage page = widget->BackBuffer().copy();
  const int renders = widget->PageRenders();
  Hover({450, 130});
  ASSERT_TRUE(widget->AnimationRunning());
  QTest::qWait(40);
  Settle();
  EXPECT_EQ(widget->PageRenders(), renders);
  EXPECT_NE(widget->BackBuffer(), page);
  Shot("anime");
  // Off the item the trails are erased without painting the page.
  Hover({700, 500});
  EXPECT_FALSE(widget->AnimationRunning());
  EXPECT_EQ(widget->BackBuffer(), page);
  EXPECT_EQ(widget->PageRenders(), renders);

  // A selected item gets no animation; switched off, none at all.
  Press({450, 130});
  Release({450, 130});
  Hover({700, 500});
  Hover({450, 130});
  EXPECT_FALSE(widget->AnimationRunning());
  frame.trails = 0;
  Hover({150, 130});
  EXPECT_FALSE(widget->AnimationRunning());
}

TEST(PointerAnimation, TrailsFadeRunBothWaysAndStayOnThePath) {
  PointerAnimation animation(7);
  animation.Start(300, 40, 12);  // wider than 100: a 100-pixel square is circled
  ASSERT_TRUE(animation.Running());
  EXPECT_EQ(animation.Reach(), (platform::Size{50 + PointerAnimation::kPathMargin, 20 + PointerAnimation::kPathMargin}));
  std::vector<PointerAnimation::Dot> dots = animation.Dots();
  ASSERT_EQ(dots.size(), 10u * 8u);  // at most 10 trails
  EXPECT_EQ(dots[0].colour, document::Rgb(255, 192, 192));
  EXPECT_EQ(dots[7].colour, document::Rgb(255 - 56, 192 - 56, 192 - 56));
  EXPECT_EQ(dots[8].colour, document::Rgb(247, 192, 255));
  const platform::Point head0 = dots[0].at, head1 = dots[8].at;
  animation.Advance();
  dots = animation.Dots();
  // After one step each head sits where its second dot was: trail 0 one way...
  PointerAnimation other(7);
  other.Start(300, 40, 12);
  EXPECT_NE(dots[0].at, head0);
  EXPECT_EQ(dots[1].at, head0);
  EXPECT_EQ(dots[9].at, head1);  // ...and trail 1 the other
  for (const auto& dot : dots) {
    const double ex = static_cast<double>(dot.at.x) / animation.Reach().cx;
    const double ey = static_cast<double>(dot.at.y) / animation.Reach().cy;
    EXPECT_NEAR(ex * ex + ey * ey, 1.0, 0.1);
  }
  EXPECT_EQ(PointerAnimation::PenWidth(0.25f), 2);
  EXPECT_EQ(PointerAnimation::PenWidth(1.5f), 6);
  animation.Start(50, 50, 0);
  EXPECT_FALSE(animation.Running());
}

}  // namespace
}  // namespace plume::chartview
