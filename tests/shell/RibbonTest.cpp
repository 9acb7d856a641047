#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include "ShellUiFixture.h"
#include "platform/SettingsTable.h"
#include "shell/CommandTable.h"
#include "shell/RibbonTooltips.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CMyRibbonBar.h"
#include "shell/ui/CommandRouter.h"

namespace plume::shell::testing {
namespace {

namespace settings = platform::settings;

class RibbonTest : public ShellUiTest {
 protected:
  CMainFrame* Start() {
    app = MakeApp();
    EXPECT_TRUE(app->Start(std::nullopt));
    return app->Frame();
  }
  std::unique_ptr<CTesselApp> app;
};

TEST_F(RibbonTest, HoldsEveryElementOfTheHomeCategoryWithItsTooltip) {
  settings::Set(store, settings::Last::WebGoku, "梅 苗木");
  settings::Set(store, settings::Last::OptWord, 0);
  CMyRibbonBar* ribbon = Start()->Ribbon();
  EXPECT_EQ(ribbon->CategoryName(), QStringLiteral("ホーム"));
  for (int id : {32829, 354, 355, 32885, 32884, 32886, 32887, 32888, 32889, 32827, 345, 32847, 315, 320, 32846, 324,
                 325, 326, 347, 373, 394, 32815, 32816, 344, 352, 32831, 359, 32828, 351, 57670}) {
    EXPECT_NE(ribbon->Element(id), nullptr) << id;
  }
  EXPECT_EQ(qobject_cast<QLineEdit*>(ribbon->Element(32885))->text(), QStringLiteral("梅 苗木"));
  auto* option = qobject_cast<QToolButton*>(ribbon->Element(355));
  EXPECT_EQ(option->text(), QStringLiteral("TEXT"));
  EXPECT_EQ(option->toolTip().toStdString(), WordOptionTooltip(false));
  EXPECT_EQ(ribbon->Element(32885)->toolTip().toStdString(), TooltipText(32885));
  EXPECT_EQ(TooltipText(32885),
            "【検索語句】\n検索する語句を入力します\n入力が完了したら右側の「検索」ボタンを\nクリックしてください");
  EXPECT_EQ(PageTypeTooltip(""), "【HTMLエリア】\nHTMLエリアの現在のページ種別が\n「不明」であることを\n表示しています");
  EXPECT_EQ(WordOptionTooltip(true), "【書式】\nHTMLエリアのPDFからWord出力する際に\n書式付きでWordにセットします");
}

TEST_F(RibbonTest, EveryActionOfTheRibbonMenusAndShortcutsIsATableCommand) {
  CMainFrame* frame = Start();
  int checked = 0;
  for (QAction* action : frame->findChildren<QAction*>()) {
    if (action->data().isNull() && action->shortcuts().isEmpty()) continue;  // plain widget actions
    bool isId = false;
    const int id = action->data().toInt(&isId);
    ASSERT_TRUE(isId) << action->text().toStdString();
    EXPECT_NE(FindCommand(id), nullptr) << id;
    ++checked;
  }
  EXPECT_GT(checked, 50);
}

TEST_F(RibbonTest, CommandsOfLaterWorkArePresentButDisabled) {
  CMainFrame* frame = Start();
  CommandRouter& router = frame->Router();
  router.Refresh();
  for (int id : {32831, 359, 315, 354, 32800}) EXPECT_FALSE(router.Action(id)->isEnabled()) << id;
  EXPECT_FALSE(frame->Ribbon()->Element(32847)->isEnabled());
  for (int id : {57600, 57601, 57664, 57665, 32811, 507, 358, 32827, 352, 32866, 32867, 32833, 397, 32884, 32832, 311, 395, 355})
    EXPECT_TRUE(router.Action(id)->isEnabled()) << id;
  EXPECT_TRUE(frame->Ribbon()->Element(32885)->isEnabled());
  EXPECT_FALSE(router.Trigger(32831));
}

TEST_F(RibbonTest, CtrlF1MinimisesAndRestoresTheRibbon) {
  CMainFrame* frame = Start();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
  frame->activateWindow();
  QTest::keyClick(frame, Qt::Key_F1, Qt::ControlModifier);
  EXPECT_TRUE(frame->Ribbon()->IsMinimised());
  QTest::keyClick(frame, Qt::Key_F1, Qt::ControlModifier);
  EXPECT_FALSE(frame->Ribbon()->IsMinimised());
}

TEST_F(RibbonTest, ApplicationMenuListsTheRecentFiles) {
  settings::Set(store, settings::RecentFile(1), "/docs/計画.pbd");
  settings::Set(store, settings::RecentFile(2), "/docs/old.pbd");
  CMainFrame* frame = Start();
  QMenu* menu = frame->Ribbon()->AppMenu();
  emit menu->aboutToShow();
  QAction* first = frame->Router().Action(57616);
  EXPECT_TRUE(first->isVisible());
  EXPECT_TRUE(first->isEnabled());
  EXPECT_EQ(first->text(), QStringLiteral("&1 計画.pbd"));
  EXPECT_EQ(frame->Router().Action(57617)->text(), QStringLiteral("&2 old.pbd"));
  EXPECT_FALSE(frame->Router().Action(57618)->isVisible());
  EXPECT_FALSE(frame->Router().Action(57618)->isEnabled());
}

}  // namespace
}  // namespace plume::shell::testing
