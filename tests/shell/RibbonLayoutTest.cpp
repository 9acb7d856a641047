// The ribbon at every window width from 450 pixels: panels that do not fit
// collapse from the right into buttons, and no visible control is clipped,
// squeezed below its own size or drawn over another.
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "ShellUiFixture.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CMyRibbonBar.h"
#include "shell/ui/RibbonPanelRow.h"

namespace plume::shell::testing {
namespace {

bool IsControl(const QWidget* w) {
  return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
         qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
         qobject_cast<const QLabel*>(w);
}

/// A control inside another control (the edit of a combo box) is part of it.
bool InsideControl(const QWidget* w, const QWidget* top) {
  for (const QWidget* p = w->parentWidget(); p && p != top; p = p->parentWidget())
    if (IsControl(p)) return true;
  return false;
}

/// Every fault of the visible controls under `top`: outside an ancestor,
/// narrower or lower than the control asks for, or overlapping another.
std::vector<std::string> LayoutFaults(QWidget* top) {
  std::vector<std::pair<std::string, QRect>> controls;
  std::vector<std::string> faults;
  for (QWidget* w : top->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(top) || w->isWindow() || !IsControl(w) || InsideControl(w, top)) continue;
    const auto* button = qobject_cast<QAbstractButton*>(w);
    const auto* label = qobject_cast<QLabel*>(w);
    const std::string name = (w->metaObject()->className() + QStringLiteral(" \"") +
                              (button ? button->text() : label ? label->text() : w->toolTip().left(12)) +
                              QLatin1Char('"')).toStdString();
    const QRect box(w->mapTo(top, QPoint(0, 0)), w->size());
    for (QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
      const QRect parentBox(p->mapTo(top, QPoint(0, 0)), p->size());
      if (!parentBox.contains(box)) faults.push_back("clipped: " + name);
      if (p == top) break;
    }
    const QSize wanted = button ? w->sizeHint() : w->minimumSizeHint();
    if (w->width() < wanted.width() || w->height() < wanted.height()) faults.push_back("squeezed: " + name);
    for (const auto& [other, otherBox] : controls)
      if (box.intersects(otherBox)) faults.push_back("overlap: " + name + " / " + other);
    controls.emplace_back(name, box);
  }
  return faults;
}

class RibbonLayoutTest : public ShellUiTest {
 protected:
  void SetUp() override {
    app = MakeApp();
    ASSERT_TRUE(app->Start(std::nullopt));
    frame = app->Frame();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
  }
  RibbonPanelRow* Row() const { return frame->Ribbon()->PanelRow(); }
  void ResizeTo(int width) {
    frame->resize(width, 480);
    QTest::qWait(30);
  }
  std::unique_ptr<CTesselApp> app;
  CMainFrame* frame = nullptr;
};

TEST_F(RibbonLayoutTest, NoControlIsClippedSqueezedOrOverlappedAtAnyWidth) {
  for (int width : {450, 520, 640, 800, 1024, 1400, 1920}) {
    ResizeTo(width);
    ASSERT_EQ(frame->width(), width);
    const std::vector<std::string> faults = LayoutFaults(frame->Ribbon());
    EXPECT_TRUE(faults.empty()) << "at " << width << " px: " << faults.front();
  }
}

TEST_F(RibbonLayoutTest, RightmostPanelsCollapseFirstAndExpandAgain) {
  ResizeTo(1920);
  EXPECT_EQ(Row()->ExpandedCount(), Row()->PanelCount());
  int previous = Row()->PanelCount();
  for (int width : {1400, 1024, 800, 640, 450}) {
    ResizeTo(width);
    EXPECT_LE(Row()->ExpandedCount(), previous) << width;
    previous = Row()->ExpandedCount();
    for (int i = 0; i < Row()->PanelCount(); ++i)
      EXPECT_EQ(Row()->CollapsedButton(i)->isVisible(), i >= Row()->ExpandedCount()) << width << " panel " << i;
  }
  EXPECT_LT(Row()->ExpandedCount(), Row()->PanelCount());
  ResizeTo(1920);
  EXPECT_EQ(Row()->ExpandedCount(), Row()->PanelCount());
}

TEST_F(RibbonLayoutTest, ACollapsedPanelOpensAsAPopupWithItsControlsUsable) {
  ResizeTo(640);
  const int last = Row()->PanelCount() - 1;
  ASSERT_TRUE(Row()->CollapsedButton(last)->isVisible());
  EXPECT_EQ(Row()->CollapsedButton(last)->toolTip(), QStringLiteral("データベース"));
  QTest::mouseClick(Row()->CollapsedButton(last), Qt::LeftButton);
  QFrame* popup = Row()->OpenedPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(popup->isVisible());
  EXPECT_TRUE(frame->Ribbon()->Element(32831)->isVisible());
  EXPECT_TRUE(LayoutFaults(popup).empty());
  popup->hide();
  ResizeTo(1024);
  EXPECT_FALSE(Row()->OpenPopup(0)) << "the first panel shows in full";
}

TEST(RibbonPanelRowFit, KeepsAsManyPanelsFromTheLeftAsFit) {
  const std::vector<int> full{300, 100, 200};
  const std::vector<int> collapsed{50, 40, 60};
  struct Case {
    int width;
    int expected;
  };
  for (const Case& c : {Case{604, 3}, Case{603, 2}, Case{464, 2}, Case{463, 1}, Case{404, 1}, Case{403, 0}, Case{10, 0}})
    EXPECT_EQ(RibbonPanelRow::FittingPanels(full, collapsed, 2, c.width), c.expected) << c.width;
}

TEST(RibbonPanelRowCaption, BreaksLongCaptionsAtTheSeparatorOrTheScriptChange) {
  const std::pair<QString, QString> cases[] = {
      {QStringLiteral("表示"), QStringLiteral("表示")},
      {QStringLiteral("テキスト"), QStringLiteral("テキスト")},
      {QStringLiteral("背景色・線・角"), QStringLiteral("背景色・\n線・角")},
      {QStringLiteral("位置・サイズ"), QStringLiteral("位置・\nサイズ")},
      {QStringLiteral("HTMLエリア"), QStringLiteral("HTML\nエリア")},
      {QStringLiteral("データベース"), QStringLiteral("データ\nベース")}};
  for (const auto& [caption, shown] : cases) EXPECT_EQ(RibbonPanelRow::CollapsedCaption(caption), shown) << caption.toStdString();
}

}  // namespace
}  // namespace plume::shell::testing
