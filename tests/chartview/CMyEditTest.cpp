// The in-place editor's Qt box over a real chart view, driven by mouse and
// key events on the viewport: the double click that opens it over a title,
// typing with Enter, the box handles and the committing click.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTest>

#include <memory>

#include "../support/ChartViewNulls.h"
#include "ChartFixture.h"
#include "chartview/CoordinateMapping.h"
#include "chartview/EditingController.h"
#include "chartview/ui/CMyEdit.h"
#include "chartview/ui/CTesselView.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"

namespace plume::chartview {
namespace {

class CMyEditTest : public ::testing::Test, public testing::ChartFixture {
 protected:
  CMyEditTest() {
    platform::SetMessageSink(&sink);
    node = AddNode({100, 80, 300, 180}, 1, platform::Utf8ToCp932("見出しの文字"));
    document::ItemStyle& st = doc->nodes[node].style;
    st.refText = document::Rgb(0, 0, 160);
    st.refMen = document::Rgb(255, 255, 200);
    st.FontBold = 1;
    st.FontSize = 14;
    st.AlineH = 1;
    widget = std::make_unique<CTesselView>(*doc, store, nullptr, frame);
    widget->resize(520, 320);
    edit = new CMyEdit(widget->viewport());
    edit->trackPointer = [this](std::function<void(platform::Point, bool)> report) {
      widget->TrackPointer(std::move(report));
    };
    editing = std::make_unique<EditingController>(widget->View(), widget->Host(), store, edit);
    widget->SetEditingPort(editing.get());
    widget->show();
    widget->grab();  // one paint lays out the title rectangles
  }
  ~CMyEditTest() override {
    widget->SetEditingPort(nullptr);
    platform::SetMessageSink(nullptr);
  }

  QWidget* Viewport() { return widget->viewport(); }
  /// A move without buttons, straight to the viewport.
  void Hover(QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, Viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Viewport(), &move);
  }
  /// The viewport's pixel at `at` as the user sees it (the box included).
  QColor Seen(QPoint at) { return Viewport()->grab().toImage().pixelColor(at); }
  /// Centres of the box handles 0 (left-top) and 2 (right-bottom) of `box`.
  static QPoint LeftTop(const QRect& box) { return box.topLeft() - QPoint(2, 2); }
  static QPoint RightBottom(const QRect& box) { return box.bottomRight() + QPoint(1 + 2, 1 + 2); }
  const QColor handleFill{100, 100, 180};
  void Shot(const char* name) {
    QDir().mkpath("/tmp/shots/edit");
    widget->grab().save(QString("/tmp/shots/edit/%1.png").arg(name));
  }

  platform::ScriptedMessageSink sink;
  platform::MemorySettingsStore store;
  int node = 0;
  plume::testing::RecordingViewFrame frame;
  std::unique_ptr<CTesselView> widget;
  CMyEdit* edit = nullptr;  // owned by the viewport
  std::unique_ptr<EditingController> editing;
};

TEST_F(CMyEditTest, DoubleClickOpensTheBoxOverTheTitleInTheItemsStyle) {
  QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, QPoint(200, 130));
  ASSERT_TRUE(edit->isVisible());
  EXPECT_TRUE(editing->EditorOpen());
  EXPECT_EQ(edit->toPlainText(), QString::fromUtf8("見出しの文字"));
  const platform::IntRect title = chartview::ToIntRect(doc->nodeStates[node].titleRect);
  EXPECT_EQ(edit->geometry(), QRect(title.left, title.top, title.Width(), title.Height() + 5));
  EXPECT_TRUE(edit->font().bold());
  EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(0, 0, 160));
  EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(255, 255, 200));
  EXPECT_TRUE(edit->hasFocus() || !QApplication::focusWidget());
  Shot("editor_open");
}

TEST_F(CMyEditTest, EnterInsertsALineAndTheNextClickStoresTheText) {
  QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, QPoint(200, 130));
  ASSERT_TRUE(edit->isVisible());
  QTextCursor end = edit->textCursor();
  end.movePosition(QTextCursor::End);
  edit->setTextCursor(end);
  QTest::keyClick(edit, Qt::Key_Return);
  QTest::keyClicks(edit, "2nd line");
  EXPECT_TRUE(editing->EditorOpen()) << "Enter stays in the box";
  Shot("editor_typed");
  QTest::mouseClick(Viewport(), Qt::LeftButton, {}, QPoint(450, 280));
  EXPECT_FALSE(edit->isVisible());
  EXPECT_FALSE(editing->EditorOpen());
  EXPECT_EQ(platform::FieldText(doc->nodes[node].title), platform::Utf8ToCp932("見出しの文字\r\n2nd line"));
  Shot("editor_committed");
}

TEST_F(CMyEditTest, TheOpenBoxShowsItsHandlesWithTheirSizingCursors) {
  QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, QPoint(200, 130));
  ASSERT_TRUE(edit->isVisible());
  const QRect box = edit->geometry();
  // Outside the box, inside the squares of the left-top and right-bottom handles.
  const QPoint leftTop = LeftTop(box) - QPoint(3, 3);
  const QPoint rightBottom = RightBottom(box) + QPoint(3, 3);
  const QPoint rightMiddle(RightBottom(box).x() + 3, box.center().y());
  EXPECT_EQ(Seen(leftTop), handleFill);
  EXPECT_EQ(Seen(rightBottom), handleFill);
  EXPECT_EQ(Seen(rightMiddle), handleFill);
  EXPECT_NE(Seen(leftTop + QPoint(-10, 0)), handleFill) << "nothing beyond the squares";
  QDir().mkpath("/tmp/shots/gaps");
  widget->grab().save("/tmp/shots/gaps/editor_handles.png");

  Hover(leftTop);
  EXPECT_EQ(Viewport()->cursor().shape(), Qt::SizeFDiagCursor);
  Hover(rightMiddle);
  EXPECT_EQ(Viewport()->cursor().shape(), Qt::SizeHorCursor);
  Hover(QPoint(450, 280));
  EXPECT_EQ(Viewport()->cursor().shape(), Qt::ArrowCursor) << "off the handles the next click only commits";

  QTest::mouseClick(Viewport(), Qt::LeftButton, {}, QPoint(450, 280));
  ASSERT_FALSE(edit->isVisible());
  EXPECT_NE(Seen(leftTop), handleFill) << "the handles go with the editor";
  EXPECT_NE(Seen(rightBottom), handleFill);
}

TEST_F(CMyEditTest, ABoxHandleDraggedOnTheViewResizesTheBox) {
  QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, QPoint(200, 130));
  ASSERT_TRUE(edit->isVisible());
  const QRect before = edit->geometry();
  // Right-bottom handle: the box grown by 2, grabbed just outside the box.
  const QPoint handle = before.bottomRight() + QPoint(1 + 2 + 2, 1 + 2 + 2);
  QTest::mousePress(Viewport(), Qt::LeftButton, {}, handle);
  QTest::mouseMove(Viewport(), handle + QPoint(60, 40));
  QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, handle + QPoint(60, 40));
  EXPECT_TRUE(edit->isVisible()) << "a handle press does not commit";
  EXPECT_EQ(edit->geometry().topLeft(), before.topLeft());
  EXPECT_GT(edit->width(), before.width() + 40);
  EXPECT_GT(edit->height(), before.height() + 20);
  // The handles follow the box; where the old top-middle one was is page again.
  const QRect after = edit->geometry();
  EXPECT_EQ(Seen(RightBottom(after) + QPoint(3, 3)), handleFill);
  EXPECT_EQ(Seen(QPoint(after.center().x(), after.top() - 2 - 3)), handleFill);
  EXPECT_NE(Seen(QPoint(before.center().x(), before.top() - 2 - 3)), handleFill);
  Shot("editor_resized");
}

}  // namespace
}  // namespace plume::chartview
