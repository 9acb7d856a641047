#include <QComboBox>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <filesystem>

#include "ShellUiFixture.h"
#include "chartview/ui/CPropertyView.h"
#include "chartview/ui/CTesselView.h"
#include "chartview/ui/QtControllerHost.h"
#include "chartview/ui/PageSizeSpinBox.h"
#include "platform/Cp932.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CMyRibbonBar.h"
#include "shell/ui/CommandRouter.h"
#include "shell/ui/StyleControls.h"

namespace plume::shell::testing {
namespace {

class StyleRibbonTest : public ShellUiTest {
 protected:
  CMainFrame* Start() {
    app = MakeApp();
    EXPECT_TRUE(app->Start({}));
    CMainFrame* frame = app->Frame();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(frame));
    return frame;
  }
  /// A text node created through the document (it takes the stored defaults).
  int AddNode(int x, int y) {
    document::NodeRequest request;
    request.title = "n";
    request.x = x;
    request.y = y;
    EXPECT_TRUE(app->Chart()->AddNode(std::move(request)));
    return app->Chart()->nodeCount - 1;
  }
  std::unique_ptr<CTesselApp> app;
};

TEST_F(StyleRibbonTest, BoldButtonAndSizeEditChangeTheFocusedNodeAndFollowTheFocus) {
  CMainFrame* frame = Start();
  document::ChartDocument& doc = *app->Chart();
  CMyRibbonBar& ribbon = *frame->Ribbon();
  auto* bold = qobject_cast<QToolButton*>(ribbon.Element(315));
  auto* size = qobject_cast<QComboBox*>(ribbon.Element(32846));
  ASSERT_TRUE(bold && size);

  const int first = AddNode(100, 100);
  frame->Router().Refresh();
  ASSERT_TRUE(bold->isEnabled());
  QTest::mouseClick(bold, Qt::LeftButton);
  EXPECT_EQ(doc.nodes[first].style.FontBold, 1);
  EXPECT_TRUE(bold->defaultAction()->isChecked());

  size->setFocus();
  size->lineEdit()->selectAll();
  QTest::keyClicks(size->lineEdit(), QStringLiteral("12abc"));
  QTest::keyClick(size->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(doc.nodes[first].style.FontSize, 12);

  // A new node takes the defaults, and the ribbon follows the new focus.
  const int second = AddNode(400, 300);
  EXPECT_EQ(doc.nodes[second].style.FontSize, 8);
  EXPECT_EQ(size->currentText(), QStringLiteral("8"));
  EXPECT_FALSE(bold->defaultAction()->isChecked());
  std::filesystem::create_directories("/tmp/shots/style");
  ribbon.grab().save(QStringLiteral("/tmp/shots/style/ribbon.png"));
}

TEST_F(StyleRibbonTest, FontNamesLongerThan31BytesAreRefused) {
  CMainFrame* frame = Start();
  document::ChartDocument& doc = *app->Chart();
  auto* font = qobject_cast<QComboBox*>(frame->Ribbon()->Element(32847));
  ASSERT_TRUE(font);
  EXPECT_GT(font->count(), 0);  // the installed fonts
  const int node = AddNode(100, 100);
  font->setEditText(QString(32, QLatin1Char('A')));
  EXPECT_TRUE(frame->Router().Trigger(32847));
  EXPECT_EQ(sink.Last().id, 30410);
  EXPECT_EQ(platform::FieldText(doc.nodes[node].style.FontName), "Meiryo UI");
  font->setEditText(font->itemText(0));
  frame->Router().Trigger(32847);
  EXPECT_EQ(QString::fromStdString(platform::Cp932ToUtf8(platform::FieldText(doc.nodes[node].style.FontName))),
            font->itemText(0).left(31));
}

TEST_F(StyleRibbonTest, ViewPropertiesReadCommasAndNeverCutAnItem) {
  CMainFrame* frame = Start();
  document::ChartDocument& doc = *app->Chart();
  doc.nodes[AddNode(100, 100)].rect = {1200, 100, 1400, 200};

  chartview::CPropertyView shot(1000, 1000);
  shot.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&shot));
  EXPECT_EQ(shot.WidthEdit()->text(), QStringLiteral("1,000"));
  std::filesystem::create_directories("/tmp/shots/style");
  shot.grab().save(QStringLiteral("/tmp/shots/style/CPropertyView.png"));
  shot.WidthEdit()->setFocus();
  shot.WidthEdit()->selectAll();
  QTest::keyClicks(shot.WidthEdit(), QStringLiteral("2,000"));
  shot.HeightEdit()->setFocus();  // the width edit loses the focus
  EXPECT_EQ(shot.PageWidth(), 2000);
  shot.hide();

  // The dialog opened by its command: width 800 is raised to the item at 1400.
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<chartview::CPropertyView*>(QApplication::activeModalWidget());
    ASSERT_TRUE(dialog);
    dialog->WidthEdit()->setValue(800);
    dialog->HeightEdit()->setValue(9000);  // clamped to 5000
    dialog->findChild<QDialogButtonBox*>()->buttons().first()->click();
  });
  frame->ChartView()->Host().RunCommand(350);
  EXPECT_EQ(doc.CurrentPage().pageWidth, 1400);
  EXPECT_EQ(doc.CurrentPage().pageHeight, 5000);
}

}  // namespace
}  // namespace plume::shell::testing
