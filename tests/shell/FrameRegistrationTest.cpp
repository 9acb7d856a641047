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

#include "chartview/ui/CTesselView.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/SettingsTable.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CTesselApp.h"

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

}  // namespace
}  // namespace plume::shell
