#include <QLabel>
#include <QScreen>
#include <QSplitter>
#include <QTest>
#include <QTextEdit>

#include <fstream>

#include "ShellUiFixture.h"
#include "chartview/ui/CTesselView.h"
#include "platform/SettingsTable.h"
#include "shell/ui/CAboutDlg.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CMyRibbonBar.h"
#include "shell/ui/CommandRouter.h"
#include "shell/BrowserAddress.h"
#include "shell/ui/CHView.h"

namespace plume::shell::testing {
namespace {

namespace settings = platform::settings;
using platform::MsgResult;

class MainFrameTest : public ShellUiTest {
 protected:
  CMainFrame* Start(FakeDocumentActions** fake = nullptr, std::optional<std::filesystem::path> path = {}) {
    app = MakeApp(fake);
    EXPECT_TRUE(app->Start(path));
    CMainFrame* frame = app->Frame();
    frame->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(frame));
    QTest::qWait(20);  // the splitters take their stored sizes once laid out
    return frame;
  }
  QRect Desktop() const { return app->Frame()->screen()->availableGeometry(); }
  std::unique_ptr<CTesselApp> app;
};

TEST_F(MainFrameTest, ASecondCopyShowsAlreadyRunningAndLeavesTheFirstAlone) {
  CMainFrame* first = Start();
  auto second = MakeApp();
  EXPECT_FALSE(second->Start(std::nullopt));
  EXPECT_EQ(sink.Ids(), std::vector<int>{30072});
  EXPECT_EQ(second->Frame(), nullptr);
  EXPECT_TRUE(first->isVisible());
  second.reset();  // the refused copy must not release the first copy's lock
  EXPECT_FALSE(MakeApp()->Start(std::nullopt));
}

TEST_F(MainFrameTest, CommandLinePathWinsOverFirstOpen) {
  settings::Set(store, settings::KanSet::FirstOpen, 1);
  settings::Set(store, settings::RecentFile(1), "/recent.pbd");
  FakeDocumentActions* doc = nullptr;
  Start(&doc, std::filesystem::path("/given.pbd"));
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->log, std::vector<std::string>{"open /given.pbd"});
  EXPECT_EQ(app->Frame()->windowTitle(), QStringLiteral("given.pbd - Plumeboard"));
}

TEST_F(MainFrameTest, StoredPositionIsClampedOntoTheDesktop) {
  settings::Set(store, settings::Last::PX, -20);
  settings::Set(store, settings::Last::PY, 30);
  settings::Set(store, settings::Last::SX, 400);
  settings::Set(store, settings::Last::SY, 300);
  CMainFrame* frame = Start();
  const QRect desktop = Desktop();
  EXPECT_EQ(frame->pos(), desktop.topLeft() + QPoint(0, 30));
  frame->close();
  EXPECT_EQ(settings::Get(store, settings::Last::PX), 0);
  EXPECT_EQ(settings::Get(store, settings::Last::PY), 30);
  app.reset();

  const int tooWide = desktop.width() - 40;
  settings::Set(store, settings::Last::PX, 100);
  settings::Set(store, settings::Last::SX, tooWide);
  frame = Start();
  // Moved left until the window with its frame ends at the desktop's edge.
  EXPECT_EQ(frame->frameGeometry().right(), desktop.right());
  EXPECT_TRUE(desktop.contains(frame->frameGeometry()));
  EXPECT_EQ(frame->width(), tooWide);
}

TEST_F(MainFrameTest, AreaKeysReachTheFrameFromTheTextAreaAndPersist) {
  CMainFrame* frame = Start();
  frame->TextArea()->setFocus();
  auto* outer = qobject_cast<QSplitter*>(frame->centralWidget());
  ASSERT_NE(outer, nullptr);
  auto* inner = qobject_cast<QSplitter*>(outer->widget(0));

  QTest::keyClick(frame->TextArea(), Qt::Key_Left, Qt::ControlModifier);  // HTML area only
  EXPECT_EQ(outer->sizes()[1], 0);
  EXPECT_EQ(inner->sizes()[1], 0);
  QTest::keyClick(frame->TextArea(), Qt::Key_Down, Qt::ControlModifier);  // text area only
  EXPECT_EQ(inner->sizes()[0], 0);
  EXPECT_EQ(outer->sizes()[1], 0);
  QTest::keyClick(frame->TextArea(), Qt::Key_Up, Qt::ControlModifier);  // even
  EXPECT_NEAR(outer->sizes()[0], outer->width() / 2, outer->handleWidth() + 1);
  EXPECT_NEAR(inner->sizes()[0], outer->height() / 2, inner->handleWidth() + 1);
  QTest::keyClick(frame->ChartView(), Qt::Key_Right, Qt::ControlModifier);  // chart area only
  EXPECT_EQ(outer->sizes()[0], 0);
  const int htmlHeight = inner->sizes()[0];

  frame->close();
  EXPECT_EQ(settings::Get(store, settings::Last::cxCur), 0);
  EXPECT_EQ(settings::Get(store, settings::Last::cyCur), htmlHeight);
  app.reset();
  frame = Start();
  EXPECT_EQ(qobject_cast<QSplitter*>(frame->centralWidget())->sizes()[0], 0);
}

// Ctrl+arrow with the chart area focused: a selection moves one pixel; with
// nothing selected, or from another area, the key shows the areas as always.
TEST_F(MainFrameTest, CtrlArrowNudgesTheSelectionInTheChartAreaOtherwiseShowsAnArea) {
  CMainFrame* frame = Start();
  document::ChartDocument& doc = *app->Chart();
  document::NodeRequest request;
  request.dataType = "PDF";
  request.x = 100;
  request.y = 100;
  ASSERT_TRUE(doc.AddNode(std::move(request)));
  auto* outer = qobject_cast<QSplitter*>(frame->centralWidget());
  ASSERT_NE(outer, nullptr);
  const auto sizes = outer->sizes();
  const document::Rect before = doc.nodes[0].rect;
  frame->ChartView()->setFocus();
  doc.nodeStates[0].selected = 1;
  doc.focusedNode = 0;
  QTest::keyClick(frame->ChartView(), Qt::Key_Left, Qt::ControlModifier);
  QTest::keyClick(frame->ChartView(), Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(doc.nodes[0].rect.left, before.left - 1);
  EXPECT_EQ(doc.nodes[0].rect.top, before.top + 1);
  EXPECT_EQ(outer->sizes(), sizes) << "no area command";

  doc.ClearSelection();
  QTest::keyClick(frame->ChartView(), Qt::Key_Right, Qt::ControlModifier);  // chart area only
  EXPECT_EQ(outer->sizes()[0], 0);
  EXPECT_EQ(doc.nodes[0].rect.left, before.left - 1);
}

TEST_F(MainFrameTest, F11TwiceReturnsToTheNormalWindow) {
  CMainFrame* frame = Start();
  const QString title = frame->windowTitle();
  QTest::keyClick(frame->TextArea(), Qt::Key_F11);
  EXPECT_TRUE(frame->isFullScreen());
  EXPECT_FALSE(frame->Ribbon()->isVisible());
  QTest::keyClick(frame->ChartView(), Qt::Key_F11);
  EXPECT_FALSE(frame->isFullScreen());
  EXPECT_FALSE(frame->isMaximized());
  EXPECT_TRUE(frame->Ribbon()->isVisible());
  EXPECT_EQ(frame->windowTitle(), title);
}

TEST_F(MainFrameTest, MaximisedStateAndPointerCountAreWrittenAtExit) {
  settings::Set(store, settings::Last::Zoomed, 1);
  settings::Set(store, settings::Last::DocType, 2);
  CMainFrame* frame = Start();
  EXPECT_TRUE(frame->isMaximized());
  EXPECT_EQ(frame->AnimeCount(), 3);
  QTest::keyClick(frame->ChartView(), Qt::Key_F10);
  EXPECT_EQ(frame->AnimeCount(), 0);
  frame->close();
  EXPECT_EQ(settings::Get(store, settings::Last::Zoomed), 1);
  EXPECT_EQ(settings::Get(store, settings::Last::DocType), 2);
  EXPECT_EQ(settings::Get(store, settings::KanSet::PlayAnime), 0);
}

TEST_F(MainFrameTest, HelpShowsTheManualBesideTheProgramOrSaysItIsMissing) {
  CMainFrame* frame = Start();
  EXPECT_TRUE(frame->Router().Trigger(57670));
  ASSERT_EQ(sink.Ids(), std::vector<int>{30163});
  EXPECT_EQ(sink.Last().icon, platform::MsgIcon::Information);
  EXPECT_EQ(frame->HtmlArea()->GetLocation().find("Manual.pdf"), std::string::npos);
  const std::string manual = programDir.filePath(QStringLiteral("Manual.pdf")).toStdString();
  std::ofstream(manual) << "%PDF-1.4\n";
  frame->Router().Trigger(57670);
  EXPECT_EQ(frame->HtmlArea()->GetLocation(), FileAddress(manual));
}

TEST_F(MainFrameTest, ClosingAModifiedDocumentAsksFirst) {
  FakeDocumentActions* doc = nullptr;
  CMainFrame* frame = Start(&doc);
  doc->modified = true;
  frame->RefreshTitle();
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("無題* - Plumeboard"));
  sink.Answer(MsgResult::Cancel);
  frame->close();
  EXPECT_TRUE(frame->isVisible());
  EXPECT_EQ(sink.Last().id, 30340);
  sink.Answer(MsgResult::No);
  frame->close();
  EXPECT_FALSE(frame->isVisible());
}

TEST_F(MainFrameTest, StatusBarHasItsFivePanes) {
  CMainFrame* frame = Start();
  for (int id : {120, 121, 122, 342, 343}) EXPECT_NE(frame->StatusPane(id), nullptr) << id;
  EXPECT_GT(frame->StatusPane(120)->width(), frame->StatusPane(343)->width());
}

TEST(AboutDialog, ListsTheVersionNotesNewestFirst) {
  const QStringList lines = CAboutDlg::VersionNotes().split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 15);
  EXPECT_EQ(lines.front(), QString::fromUtf8(platform::StringText(30214).data()));
  EXPECT_EQ(lines.back(), QString::fromUtf8(platform::StringText(30200).data()));
  CAboutDlg dialog;
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("バージョン情報"));
}

}  // namespace
}  // namespace plume::shell::testing
