// What a new user meets first: the usual file keys, the area menu, the sample
// chart in the application menu, a text area that is there at the first start
// and keeps its share when the window grows, file choosers in the document's folder.
#include <QAction>
#include <QMenu>
#include <QSplitter>
#include <QTest>
#include <QTextEdit>

#include "ShellUiFixture.h"
#include "chartview/ui/CTesselView.h"
#include "document/ui/QtFileDialogs.h"
#include "platform/SettingsTable.h"
#include "shell/CommandCaption.h"
#include "shell/CommandTable.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CMyRibbonBar.h"
#include "shell/ui/CommandRouter.h"

namespace plume::shell::testing {
namespace {

namespace settings = platform::settings;

class FrameCommandsTest : public ShellUiTest {
 protected:
  CMainFrame* Start(int width = 640, int height = 480) {
    settings::Set(store, settings::Last::SX, width);
    settings::Set(store, settings::Last::SY, height);
    app = MakeApp(&doc);
    EXPECT_TRUE(app->Start(std::nullopt));
    CMainFrame* frame = app->Frame();
    frame->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(frame));
    QTest::qWait(20);  // the splitters take their stored sizes once laid out
    return frame;
  }
  QSplitter* Outer(CMainFrame* frame) const { return qobject_cast<QSplitter*>(frame->centralWidget()); }
  QSplitter* Inner(CMainFrame* frame) const { return qobject_cast<QSplitter*>(Outer(frame)->widget(0)); }
  std::unique_ptr<CTesselApp> app;
  FakeDocumentActions* doc = nullptr;
};

TEST_F(FrameCommandsTest, CtrlSOAndNAndShiftSReachTheDocumentFromAnyArea) {
  CMainFrame* frame = Start();
  int asked = 0;
  frame->askOpenFile = [&asked] {
    ++asked;
    return QString();
  };
  for (QWidget* focus : {static_cast<QWidget*>(frame->ChartView()), static_cast<QWidget*>(frame->TextArea())}) {
    focus->setFocus();
    doc->saves = doc->saveAses = asked = 0;
    doc->log.clear();
    QTest::keyClick(focus, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(doc->saves, 1);
    QTest::keyClick(focus, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc->saveAses, 1);
    QTest::keyClick(focus, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(asked, 1);
    QTest::keyClick(focus, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(doc->log.back(), "new");
  }
}

TEST_F(FrameCommandsTest, MenusShowAKeyOnlyWhereTheCaptionDoesNotNameIt) {
  CMainFrame* frame = Start();
  CommandRouter& router = frame->Router();
  for (int id : {32811, 32808, 32809, 32810, 507}) EXPECT_FALSE(router.Action(id)->isShortcutVisibleInContextMenu()) << id;
  for (int id : {57603, 57604, 57600, 57601}) EXPECT_TRUE(router.Action(id)->isShortcutVisibleInContextMenu()) << id;
  const std::pair<const char*, bool> captions[] = {{"均等表示(Ctrl+↑)", true}, {"全画面表示(F11)", true},
                                                   {"x(F1)", true},           {"上書き保存(&S)", false},
                                                   {"印刷(&P)", false},       {"(Fx)", false},
                                                   {"(F123)", false}};
  for (const auto& [caption, names] : captions) EXPECT_EQ(CaptionNamesItsShortcut(caption), names) << caption;
}

TEST_F(FrameCommandsTest, TheApplicationMenuOpensTheSampleChartAsANewDocument) {
  CMainFrame* frame = Start();
  bool listed = false;
  for (QAction* a : frame->Ribbon()->AppMenu()->actions()) listed |= a->text() == QStringLiteral("サンプルを開く");
  EXPECT_TRUE(listed);
  doc->log.clear();
  doc->modified = true;
  sink.Answer(platform::MsgResult::Cancel);  // keep the modified document
  ASSERT_TRUE(frame->Router().Trigger(static_cast<int>(CommandId::ID_OPEN_SAMPLE)));
  EXPECT_TRUE(doc->log.empty());
  doc->modified = false;
  ASSERT_TRUE(frame->Router().Trigger(static_cast<int>(CommandId::ID_OPEN_SAMPLE)));
  EXPECT_EQ(doc->log, std::vector<std::string>{"new"});
  EXPECT_GT(app->Chart()->header.pageCount, 1);
  EXPECT_GT(app->Chart()->nodeCount, 0);
}

TEST_F(FrameCommandsTest, TheFirstStartShowsTheTextAreaAndAGrowingWindowKeepsTheShares) {
  CMainFrame* frame = Start(640, 480);  // default area sizes 400 x 400
  const QList<int> columns = Outer(frame)->sizes();
  const QList<int> rows = Inner(frame)->sizes();
  EXPECT_GT(rows[1], 0) << "text area";
  EXPECT_GT(columns[1], 0) << "chart area";
  EXPECT_GT(rows[0], 0) << "HTML area";

  frame->resize(1280, 960);
  QTest::qWait(20);
  const QList<int> grownRows = Inner(frame)->sizes();
  EXPECT_NEAR(double(grownRows[0]) / (grownRows[0] + grownRows[1]), double(rows[0]) / (rows[0] + rows[1]), 0.02);
  EXPECT_NEAR(double(Outer(frame)->sizes()[0]) / frame->width(), double(columns[0]) / 640, 0.02);
}

TEST_F(FrameCommandsTest, FileChoosersStartInTheDocumentsFolder) {
  Start();
  doc->path = std::filesystem::path(lockDir.path().toStdString()) / "plan.pbd";
  EXPECT_EQ(document::ui::QtFileDialogs::StartFolder("page.jpeg"), doc->path.parent_path());
  EXPECT_EQ(document::ui::QtFileDialogs::StartFolder((programDir.path() + "/plan.pbd").toStdString()),
            std::filesystem::path(programDir.path().toStdString()));
}

}  // namespace
}  // namespace plume::shell::testing
