// Registration in the main window: a JPEG file dropped on the chart view asks
// for the document to be saved first, becomes a material and a node at the
// drop point, and the window shows it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QTest>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <memory>

#include "chartview/ui/CTesselView.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/SettingsTable.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CTesselApp.h"
#include "shell/ui/CommandRouter.h"
#include "shell/ui/FrameRegistration.h"

#include "ChooseFileWhenAsked.h"

namespace plume::shell {
namespace {

namespace fs = std::filesystem;
using platform::MsgResult;

TEST(FrameRegistration, DroppedJpegBecomesAMaterialAndANodeAfterSaving) {
  platform::MemorySettingsStore store;
  QTemporaryDir lockDir;
  QTemporaryDir dir;
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard{&sink};
  const fs::path root(dir.path().toStdString());
  platform::settings::Set(store, platform::settings::KanSet::StorePath, (root / "Data").string());
  AppOptions options;
  options.store = &store;
  options.lockFolder = lockDir.path();
  options.webEngine = false;
  CTesselApp app(std::move(options));
  ASSERT_TRUE(app.Start({}));
  CMainFrame* frame = app.Frame();
  frame->resize(1100, 760);
  frame->show();

  const fs::path photo = root / "photo.JPG";
  fs::copy_file(fs::path(PLUME_TEST_DATA_DIR) / "capture" / "rgb-baseline.jpg", photo);
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(photo.string()))});
  QWidget* viewport = frame->ChartView()->viewport();
  ASSERT_TRUE(viewport->acceptDrops());
  sink.Answer(MsgResult::Yes);  // 30023: save the document first
  ChooseFileWhenAsked(QString::fromStdString((root / "plan.pbd").string()));
  QDragEnterEvent enter(QPoint(200, 150), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(200, 150), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &drop);
  EXPECT_TRUE(drop.isAccepted());
  QElapsedTimer waited;
  waited.start();
  while (app.Chart()->nodeCount == 0 && waited.elapsed() < 10000) QTest::qWait(20);
  EXPECT_EQ(sink.Ids(), std::vector<int>{30023});

  ASSERT_EQ(app.Chart()->nodeCount, 1);
  EXPECT_EQ(std::string(app.Chart()->nodes[0].title), "photo.JPG");
  EXPECT_TRUE(fs::exists(root / "Data" / "PLUMEDATA" / "JPEG" / "00" / "00000000.JPEG"));
  EXPECT_TRUE(fs::exists(root / "plan.pbd"));
  EXPECT_EQ(platform::settings::Get(store, platform::settings::Sys::No), "00000001");
  if (const char* shot = std::getenv("PLUME_SHOT_DIR")) frame->grab().save(QString(shot) + "/registration-drop.png");
}

/// The application and its window without the web engine, the store in `root`.
struct Window {
  explicit Window(const fs::path& root) {
    platform::settings::Set(store, platform::settings::KanSet::StorePath, (root / "Data").string());
    AppOptions options;
    options.store = &store;
    options.lockFolder = lockDir.path();
    options.webEngine = false;
    app = std::make_unique<CTesselApp>(std::move(options));
    app->Start({});
    app->Frame()->resize(1100, 760);
    app->Frame()->show();
  }
  bool Enabled(CommandId id) { return app->Frame()->Router().State(static_cast<int>(id)).enabled; }
  platform::MemorySettingsStore store;
  QTemporaryDir lockDir;
  std::unique_ptr<CTesselApp> app;
};

TEST(FrameRegistration, AJobDisablesTheDocumentCommandsShowsTheWaitCursorAndAClosingWindowWaitsForIt) {
  QTemporaryDir dir;
  Window w(dir.path().toStdString());
  CMainFrame* frame = w.app->Frame();
  const CommandId refused[] = {CommandId::ID_FILE_NEW, CommandId::ID_FILE_OPEN, CommandId::ID_FILE_SAVE,
                               CommandId::ID_FILE_SAVE_AS, CommandId::ID_APP_EXIT};
  document::JobGate::Ticket job = w.app->Jobs().TryBegin("capture");
  ASSERT_TRUE(job);
  for (CommandId id : refused) EXPECT_FALSE(w.Enabled(id)) << static_cast<int>(id);
  EXPECT_TRUE(w.Enabled(CommandId::ID_DSP_KINTOU));
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  // Closing the window during the job leaves it open until the job has ended.
  EXPECT_FALSE(frame->close());
  EXPECT_TRUE(frame->isVisible());
  job.Release();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  for (CommandId id : refused) EXPECT_TRUE(w.Enabled(id)) << static_cast<int>(id);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !frame->isVisible(); }, 2000));
}

TEST(FrameRegistration, ADroppedPdfWaitingForItsTextHoldsTheDocumentAndLeavesNothingWhenTheWindowCloses) {
  QTemporaryDir dir;
  const fs::path root(dir.path().toStdString());
  Window w(root);
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard{&sink};
  const fs::path pdf = root / "paper.pdf";
  std::ofstream(pdf) << "%PDF-1.4 paper";
  sink.Answer(MsgResult::Yes);  // 30023: save the document first
  ChooseFileWhenAsked(QString::fromStdString((root / "plan.pbd").string()));
  ASSERT_TRUE(w.app->Frame()->Registration()->Flows().DropFiles({pdf}, {10, 10}));
  const fs::path stored = root / "Data" / "PLUMEDATA" / "PDF" / "00" / "00000000.PDF";
  EXPECT_TRUE(fs::exists(stored));
  // WHEN New is asked for during the wait, THEN it is not there to run
  EXPECT_FALSE(w.Enabled(CommandId::ID_FILE_NEW));
  EXPECT_FALSE(w.app->Frame()->Router().Trigger(static_cast<int>(CommandId::ID_FILE_NEW)));
  // WHEN the window closes, THEN the drop is cancelled and its PDF leaves the store
  EXPECT_TRUE(w.app->Frame()->close());
  EXPECT_FALSE(fs::exists(stored));
  EXPECT_EQ(w.app->Chart()->nodeCount, 0);
  EXPECT_FALSE(w.app->Jobs().Busy());
}

}  // namespace
}  // namespace plume::shell
