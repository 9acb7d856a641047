#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <filesystem>
#include <fstream>

#include "ShellUiFixture.h"
#include "document/ui/CPageDlg.h"
#include "document/ui/CPropertyTip.h"
#include "document/ui/CRenameDlg.h"
#include "document/ui/CUnderBar.h"
#include "platform/Cp932.h"
#include "platform/SettingsTable.h"
#include "chartview/ui/CTesselView.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CommandRouter.h"
#include "document/DemoChart.h"
#include "platform/qt/QtPixelCodec.h"
#include "store/MaterialStore.h"

namespace plume::shell::testing {
namespace {

using document::CPageDlg;
using document::CPropertyTip;
using document::CRenameDlg;
using platform::MsgResult;

class PageTabBarTest : public DemoFrameTest {
 protected:
  void SetUp() override {
    DemoFrameTest::SetUp();
    if (HasFatalFailure()) return;
    bar = frame->TabBar();
  }
  bool Enabled(QMenu* menu, int id) {
    for (QAction* a : menu->actions()) {
      if (a->data().toInt() == id) return a->isEnabled();
    }
    ADD_FAILURE() << "no item " << id;
    return false;
  }
  void RightClickTab(int tab) { QTest::mouseClick(bar, Qt::RightButton, {}, bar->tabRect(tab).center()); }

  document::CUnderBar* bar = nullptr;
};

TEST_F(PageTabBarTest, TabsShowShortenedCaptionsAndTheFullNameAsTooltip) {
  ASSERT_EQ(bar->count(), 6);
  EXPECT_EQ(bar->tabText(1), QStringLiteral("市場調査と…"));
  EXPECT_EQ(bar->tabText(5), QStringLiteral("メモ"));
  EXPECT_EQ(bar->currentIndex(), 1);
  frame->show();
  const QPoint at = bar->tabRect(4).center();
  QMouseEvent move(QEvent::MouseMove, at, bar->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(bar, &move);
  EXPECT_EQ(bar->TipWindow()->text(), QStringLiteral("ＷＥＢで集めた画像とＰＤＦのまとめ"));
}

TEST_F(PageTabBarTest, MenuGreysMovesAtTheEndsAndDeleteOnTheLastPage) {
  frame->show();
  RightClickTab(0);
  std::unique_ptr<QMenu> menu(frame->BuildTabMenu(true));
  EXPECT_FALSE(Enabled(menu.get(), 32778));
  EXPECT_TRUE(Enabled(menu.get(), 32779));
  EXPECT_TRUE(Enabled(menu.get(), 32776));
  EXPECT_EQ(menu->actions().size(), 17);  // 12 items and 5 separators
  RightClickTab(5);
  menu.reset(frame->BuildTabMenu(true));
  EXPECT_TRUE(Enabled(menu.get(), 32778));
  EXPECT_FALSE(Enabled(menu.get(), 32779));
  EXPECT_FALSE(doc->modified);  // a right click only shows the page

  std::unique_ptr<QMenu> shortMenu(frame->BuildTabMenu(false));
  EXPECT_EQ(shortMenu->actions().size(), 3);

  app->Chart()->header.pageCount = 1;
  app->Chart()->header.currentPage = 0;
  frame->DocumentReplaced();
  menu.reset(frame->BuildTabMenu(true));
  EXPECT_FALSE(Enabled(menu.get(), 32776));
}

TEST_F(PageTabBarTest, WheelOverTheTabsNeverMovesTheHighlightAwayFromThePageShown) {
  frame->show();
  const int shown = app->Chart()->header.currentPage;
  for (const int delta : {-120, 120, 120}) {
    const QPointF at = bar->tabRect(shown).center();
    QWheelEvent wheel(at, bar->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &wheel);
    EXPECT_EQ(bar->currentIndex(), app->Chart()->header.currentPage);
  }
}

TEST_F(PageTabBarTest, MoveCommandsReorderTabsAndMarkTheDocument) {
  frame->show();
  RightClickTab(2);
  EXPECT_TRUE(frame->Router().Trigger(32778));
  EXPECT_EQ(bar->currentIndex(), 1);
  EXPECT_EQ(bar->tabText(1), QStringLiteral("参考資料"));
  EXPECT_EQ(bar->tabText(2), QStringLiteral("市場調査と競合分析"));  // full names after a move
  EXPECT_TRUE(doc->modified);
  EXPECT_TRUE(frame->windowTitle().contains(QLatin1Char('*')));
}

TEST_F(PageTabBarTest, DeleteAsksAndRemovesTheTab) {
  frame->show();
  RightClickTab(0);
  sink.Answer(MsgResult::Yes);
  EXPECT_TRUE(frame->Router().Trigger(32776));
  EXPECT_EQ(sink.Last().id, 30011);
  EXPECT_EQ(sink.Last().prefix, "企画の概要\n");
  EXPECT_EQ(bar->count(), 5);
  EXPECT_EQ(bar->currentIndex(), 0);
}

TEST_F(PageTabBarTest, DeletingAPageDeletesExactlyItsOwnMaterialsOnYesOnly) {
  // GIVEN a store in a temporary folder holding the materials of every node
  // of the demonstration chart, material 3 also shown on another page and
  // material 9 shown nowhere.
  QTemporaryDir storeDir;
  platform::settings::Set(store, platform::settings::KanSet::StorePath, storeDir.path().toStdString());
  store::MaterialStore materials(store);
  const auto filesOf = [&](std::int32_t serial, std::string_view type) {
    const std::string text = store::FormatSerial(serial);
    return std::vector<std::filesystem::path>{materials.InfoFilePath(text),
                                              materials.MaterialLocation(type, serial)->File(),
                                              materials.RelatedTextPath(text)};
  };
  const std::pair<std::int32_t, const char*> all[] = {{1, "TXT"},  {2, "HTML"}, {3, "PDF"},
                                                      {4, "JPEG"}, {5, "JPEG"}, {9, "PDF"}};
  const auto present = [&](std::int32_t serial, const char* type) {
    for (const auto& file : filesOf(serial, type))
      if (!std::filesystem::exists(file)) return false;
    return true;
  };
  document::ChartDocument& chart = *app->Chart();
  frame->show();
  for (MsgResult answer : {MsgResult::Cancel, MsgResult::No, MsgResult::Yes}) {
    document::FillDemoChart(chart, platform::QtPixelCodec());  // page 1 (current) holds materials 2, 3, 4 and 5
    for (int i = 0; i < chart.nodeCount; ++i) {
      if (chart.nodes[i].serial != 3) continue;
      chart.nodes[chart.nodeCount] = chart.nodes[i];
      chart.nodes[chart.nodeCount].pageId = chart.pages[2].pageId;
      chart.nodes[chart.nodeCount].nodeId = 999;
      chart.nodeCount += 1;
      break;
    }
    for (const auto& [serial, type] : all)
      for (const auto& file : filesOf(serial, type)) {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << "x";
      }
    frame->DocumentReplaced();
    const int pages = chart.header.pageCount;
    // WHEN the current page is deleted with `answer`
    sink.Answer(answer);
    frame->Router().Trigger(32776);
    // THEN only "はい" deletes, and only what no other page shows.
    EXPECT_EQ(sink.Last().id, 30033);
    EXPECT_EQ(chart.header.pageCount, answer == MsgResult::Cancel ? pages : pages - 1);
    for (const auto& [serial, type] : all) {
      const bool gone = answer == MsgResult::Yes && (serial == 2 || serial == 4 || serial == 5);
      EXPECT_EQ(present(serial, type), !gone) << serial << " answer " << static_cast<int>(answer);
    }
  }
}

TEST_F(PageTabBarTest, LeftClickSwitchesPages) {
  frame->show();
  QTest::qWait(20);
  EXPECT_EQ(frame->ChartView()->ScrollPosition(), QPoint(0, 0));
  app->Chart()->pages[3].scrollX = 50;
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(3).center());
  EXPECT_EQ(app->Chart()->header.currentPage, 3);
  EXPECT_EQ(bar->currentIndex(), 3);
  EXPECT_EQ(frame->ChartView()->ScrollPosition().x(), 50);  // the page's stored scroll
  EXPECT_TRUE(doc->modified);
}

TEST_F(PageTabBarTest, PageListCountsAndDoubleClickShowsThePage) {
  document::ChartDocument& chart = *app->Chart();
  chart.nodes[0] = document::NodeRecord{};
  chart.nodes[0].nodeId = 1;
  chart.nodes[0].pageId = chart.pages[2].pageId;
  chart.nodes[0].hasImage = 1;
  chart.nodeCount = 1;
  CPageDlg dialog(*bar->Tabs(), [this] { frame->DocumentReplaced(); }, frame);
  QTableWidget* list = dialog.List();
  ASSERT_EQ(list->rowCount(), 6);
  EXPECT_EQ(list->horizontalHeaderItem(1)->text(), QStringLiteral("頁タイトル"));
  EXPECT_EQ(list->columnWidth(0), 30);
  EXPECT_EQ(list->item(2, 1)->text(), QStringLiteral("参考資料"));
  EXPECT_EQ(list->item(2, 3)->text(), QStringLiteral("1"));
  EXPECT_EQ(list->item(2, 5)->text(), QStringLiteral("1"));
  dialog.show();
  dialog.ActivateRow(4);
  EXPECT_EQ(chart.header.currentPage, 4);
  EXPECT_EQ(bar->currentIndex(), 4);
  EXPECT_TRUE(dialog.isVisible());
}

TEST(RenameDialog, RefusesEmptyAndOverLongNamesAndStaysOpen) {
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard(&sink);
  CRenameDlg dialog(QString(), QPoint(300, 400));
  dialog.show();
  dialog.accept();
  EXPECT_EQ(sink.Ids(), std::vector<int>{30007});
  EXPECT_TRUE(dialog.isVisible());
  dialog.Edit()->setText(QString(34, QChar(0x3042)));  // 34 double-byte characters: 68 bytes
  dialog.Edit()->setText(dialog.Edit()->text() + QString(33, QLatin1Char('a')));  // 101 bytes
  dialog.accept();
  EXPECT_EQ(sink.Last().id, 30008);
  EXPECT_TRUE(dialog.isVisible());
  dialog.Edit()->setText(dialog.Edit()->text().chopped(1));
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("名前の入力"));
}

TEST(TabPropertiesDialog, TypedValuesAreBroughtIntoRange) {
  CPropertyTip dialog(document::TabBarSettings{});
  dialog.show();
  auto type = [](QSpinBox* spin, const QString& text) {
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, text);
    QTest::keyClick(spin, Qt::Key_Tab);
    emit spin->editingFinished();
  };
  type(dialog.CaptionLengthField(), QStringLiteral("60"));
  EXPECT_EQ(dialog.CaptionLengthField()->value(), 50);
  type(dialog.CaptionLengthField(), QStringLiteral("2"));
  EXPECT_EQ(dialog.CaptionLengthField()->value(), 4);
  type(dialog.MarginField(), QStringLiteral("25"));
  EXPECT_EQ(dialog.Result().tipMargin, 20);
  EXPECT_EQ(dialog.Result().captionLength, 4);
}

}  // namespace
}  // namespace plume::shell::testing
