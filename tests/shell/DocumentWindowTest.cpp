// The main window over the real document object: .pbd files opened, saved and
// shown in the chart area, the modified mark and the recent file list.
#include <gtest/gtest.h>

#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <filesystem>
#include <fstream>

#include "chartview/ui/CTesselView.h"
#include "document/CTesselDoc.h"
#include "document/ui/CUnderBar.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/SettingsTable.h"
#include "platform/cab/GcabCabinet.h"
#include "platform/qt/QtPictureCodec.h"
#include "shell/CommandTable.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CTesselApp.h"
#include "shell/ui/ChartDocumentActions.h"
#include "shell/ui/CommandRouter.h"
#include "document/DemoChart.h"
#include "platform/qt/QtPixelCodec.h"

namespace plume::shell {
namespace {

namespace fs = std::filesystem;
namespace settings = platform::settings;
using platform::MsgResult;

constexpr document::ColorRef kRed = 0x000000FF;

/// Answers every save-file chooser with one path (or Cancel when empty).
struct ChosenPath : platform::FileDialogs {
  fs::path path;
  int asked = 0;
  std::optional<fs::path> AskSaveFile(const platform::SaveFileRequest&) override {
    ++asked;
    return path.empty() ? std::nullopt : std::optional<fs::path>(path);
  }
};

class DocumentWindowTest : public ::testing::Test {
 protected:
  CMainFrame* Start(std::optional<fs::path> document = {}) {
    AppOptions options;
    options.store = &store;
    options.lockFolder = lockDir.path();
    options.webEngine = false;
    app = std::make_unique<CTesselApp>(std::move(options));
    EXPECT_TRUE(app->Start(document));
    CMainFrame* frame = app->Frame();
    frame->resize(1000, 700);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(frame));
    QTest::qWait(20);
    actions()->SetFileDialogs(&chooser);
    return frame;
  }
  ChartDocumentActions* actions() { return dynamic_cast<ChartDocumentActions*>(&app->Document()); }
  fs::path TempPath(const char* name) const { return fs::path(dir.path().toStdString()) / name; }

  /// A one-page document with a red node at (100, 100)-(200, 160), saved as `name`.
  fs::path MakeDocumentFile(const char* name) {
    auto doc = document::ChartDocument::Create();
    doc->NewDocument();
    document::NodeRequest request;
    request.dataType = "TXT";
    request.title = "red";
    doc->AddNode(std::move(request));
    doc->nodes[0].rect = {100, 100, 200, 160};
    doc->nodes[0].style.refMen = kRed;
    doc->ClearSelection();
    platform::MemorySettingsStore scratchStore;
    platform::GcabCabinet cabinet;
    platform::QtPictureCodec codec;
    document::CTesselDoc tessel(*doc, scratchStore, cabinet, codec);
    const fs::path path = TempPath(name);
    EXPECT_TRUE(tessel.SaveDocument(path));
    return path;
  }
  QImage Viewport() { return app->Frame()->ChartView()->viewport()->grab().toImage(); }
  void Open(const fs::path& path) {
    app->Frame()->askOpenFile = [path] { return QString::fromStdString(path.string()); };
    EXPECT_TRUE(Trigger(CommandId::ID_FILE_OPEN));
  }
  bool Trigger(CommandId id) { return app->Frame()->Router().Trigger(static_cast<int>(id)); }

  platform::MemorySettingsStore store;
  QTemporaryDir lockDir;
  QTemporaryDir dir;
  ChosenPath chooser;
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard{&sink};
  std::unique_ptr<CTesselApp> app;
};

TEST_F(DocumentWindowTest, OpenCommandShowsTheDocumentPaintedAndRemembersIt) {
  const fs::path file = MakeDocumentFile("plan.pbd");
  CMainFrame* frame = Start();
  Open(file);
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("plan.pbd - Plumeboard"));
  EXPECT_EQ(app->Recent().Entry(1), file.string());
  EXPECT_EQ(app->Chart()->nodeCount, 1);

  const QImage shot = Viewport();
  EXPECT_EQ(shot.pixelColor(150, 130), QColor(Qt::red));  // inside the node
  EXPECT_EQ(shot.pixelColor(300, 250), QColor(Qt::white));  // the page outside it (clear of the zoom console)
  EXPECT_TRUE(sink.Ids().empty());
}

TEST_F(DocumentWindowTest, ZoomCommandsRepaintScrollAndShowTheZoom) {
  const fs::path file = MakeDocumentFile("zoom.pbd");
  CMainFrame* frame = Start(file);
  chartview::CTesselView* view = frame->ChartView();
  ASSERT_TRUE(view->RunZoomCommand(337));  // 200 %
  EXPECT_EQ(frame->StatusPane(343)->text(), QStringLiteral("200%"));
  EXPECT_TRUE(frame->windowTitle().startsWith(QStringLiteral("zoom.pbd*")));
  // (1000 + 50) x 2 pixels of scroll extent.
  EXPECT_EQ(view->horizontalScrollBar()->maximum(), 2100 - view->viewport()->width());
  EXPECT_EQ(Viewport().pixelColor(350, 300), QColor(Qt::red));

  view->ScrollTo({150, 180});
  EXPECT_EQ(view->View().Scroll(), (platform::Point{150, 180}));
  EXPECT_EQ(Viewport().pixelColor(350 - 150, 300 - 180), QColor(Qt::red));

  // One backward wheel notch scrolls 10 pixels down, with Ctrl 1 pixel.
  QWheelEvent down(QPointF(50, 50), view->mapToGlobal(QPointF(50, 50)), {}, QPoint(0, -120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view->viewport(), &down);
  EXPECT_EQ(view->ScrollPosition(), QPoint(150, 190));
  QWheelEvent ctrlUp(QPointF(50, 50), view->mapToGlobal(QPointF(50, 50)), {}, QPoint(0, 120), Qt::NoButton,
                     Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view->viewport(), &ctrlUp);
  EXPECT_EQ(view->ScrollPosition(), QPoint(150, 189));
  EXPECT_EQ(view->View().Scroll(), (platform::Point{150, 189}));
}

TEST_F(DocumentWindowTest, SaveAsWritesAFileThatReopensWithItsScroll) {
  CMainFrame* frame = Start();
  document::FillDemoChart(*app->Chart(), platform::QtPixelCodec());
  frame->DocumentReplaced();
  frame->ChartView()->ScrollTo({30, 40});
  chooser.path = TempPath("demo.pbd");
  ASSERT_TRUE(Trigger(CommandId::ID_FILE_SAVE_AS));
  ASSERT_TRUE(fs::exists(chooser.path));
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("demo.pbd - Plumeboard"));
  EXPECT_EQ(app->Recent().Entry(1), chooser.path.string());
  EXPECT_EQ(settings::Get(store, settings::Last::FilePath), chooser.path.string());
  const int nodes = app->Chart()->nodeCount;

  ASSERT_TRUE(Trigger(CommandId::ID_FILE_NEW));
  EXPECT_EQ(app->Chart()->nodeCount, 0);
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("無題 - Plumeboard"));
  EXPECT_EQ(frame->ChartView()->ScrollPosition(), QPoint(0, 0));

  ASSERT_TRUE(Trigger(static_cast<CommandId>(kFirstRecentFileCommand)));  // File1
  EXPECT_EQ(app->Chart()->nodeCount, nodes);
  EXPECT_EQ(app->Chart()->header.currentPage, 1);
  EXPECT_EQ(frame->TabBar()->count(), 6);
  EXPECT_EQ(frame->ChartView()->ScrollPosition(), QPoint(30, 40));
  EXPECT_TRUE(sink.Ids().empty());
}

TEST_F(DocumentWindowTest, PageCommandMarksTheTitleAndClosingAsksToSave) {
  CMainFrame* frame = Start();
  document::FillDemoChart(*app->Chart(), platform::QtPixelCodec());
  frame->DocumentReplaced();
  ASSERT_TRUE(Trigger(CommandId::ID_PAGE_MOVE_RIGHT));
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("無題* - Plumeboard"));

  sink.Answer(MsgResult::Cancel);
  frame->close();
  EXPECT_TRUE(frame->isVisible());
  EXPECT_EQ(sink.Last().id, 30340);

  // Yes saves: without a path the save-file chooser is asked, then the window closes.
  chooser.path = TempPath("closing.pbd");
  sink.Answer(MsgResult::Yes);
  frame->close();
  EXPECT_FALSE(frame->isVisible());
  EXPECT_EQ(chooser.asked, 1);
  EXPECT_TRUE(fs::exists(chooser.path));
  EXPECT_FALSE(app->Document().IsModified());
}

TEST_F(DocumentWindowTest, CancelledSaveKeepsTheWindowOpenAndModified) {
  CMainFrame* frame = Start();
  app->Chart()->Changes().MarkModified();
  sink.Answer(MsgResult::Yes);
  frame->close();  // the chooser is cancelled
  EXPECT_TRUE(frame->isVisible());
  EXPECT_TRUE(app->Document().IsModified());
}

TEST_F(DocumentWindowTest, FirstOpenReopensTheNewestRecentFile) {
  const fs::path file = MakeDocumentFile("last.pbd");
  settings::Set(store, settings::KanSet::FirstOpen, 1);
  settings::Set(store, settings::RecentFile(1), file.string());
  CMainFrame* frame = Start();
  EXPECT_EQ(app->Chart()->nodeCount, 1);
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("last.pbd - Plumeboard"));
  EXPECT_EQ(Viewport().pixelColor(150, 130), QColor(Qt::red));
}

TEST_F(DocumentWindowTest, AFileThatIsNotACabinetKeepsTheOpenDocument) {
  const fs::path good = MakeDocumentFile("good.pbd");
  CMainFrame* frame = Start(good);
  const int nodes = app->Chart()->nodeCount;
  ASSERT_GT(nodes, 0);
  const fs::path bad = TempPath("bad.pbd");
  { std::ofstream(bad) << "not a cabinet"; }
  Open(bad);
  EXPECT_EQ(sink.Last().id, 30036);
  EXPECT_EQ(app->Chart()->nodeCount, nodes);
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("good.pbd - Plumeboard"));
  EXPECT_EQ(app->Recent().Entry(1), good.string());
}

}  // namespace
}  // namespace plume::shell

namespace plume::shell {
namespace {

TEST_F(DocumentWindowTest, ScrollBarsCoverThePageAfterTheWindowIsResized) {
  CMainFrame* frame = Start();
  document::FillDemoChart(*app->Chart(), platform::QtPixelCodec());
  frame->DocumentReplaced();
  frame->resize(1280, 800);
  QTest::qWait(50);
  chartview::CTesselView* view = frame->ChartView();
  const QSize client = view->viewport()->size();
  EXPECT_EQ(view->View().ClientSize(), (platform::Size{client.width(), client.height()}));
  EXPECT_EQ(view->horizontalScrollBar()->maximum(), std::max(0, 1050 - client.width()));
  EXPECT_EQ(view->verticalScrollBar()->maximum(), std::max(0, 1050 - client.height()));
  EXPECT_EQ(view->horizontalScrollBar()->pageStep(), client.width());
  EXPECT_EQ(view->ScrollPosition(), QPoint(0, 0));
}

}  // namespace
}  // namespace plume::shell

namespace plume::shell {
namespace {

TEST_F(DocumentWindowTest, TheZoomConsoleIsDrawnWhereItWasLeftAndStaysThere) {
  settings::Set(store, settings::Last::ZoomX, 240);
  settings::Set(store, settings::Last::ZoomY, 220);
  const fs::path file = MakeDocumentFile("console.pbd");
  CMainFrame* frame = Start(file);
  const QImage shot = Viewport();
  EXPECT_NE(shot.pixelColor(240, 220), QColor(Qt::white));  // the console's face
  EXPECT_EQ(shot.pixelColor(79, 79), QColor(Qt::white));    // not at its default place
  frame->close();
  EXPECT_EQ(settings::Get(store, settings::Last::ZoomX), 240);
  EXPECT_EQ(settings::Get(store, settings::Last::ZoomY), 220);
}

}  // namespace
}  // namespace plume::shell
