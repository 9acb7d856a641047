// Registration end to end in the main window with the real web engine and a
// local web server: a page captured as PDF, a page captured as an image, a
// local JPEG, a local PDF and a link to a PNG dropped on the chart view; the
// document saved and opened again shows the nodes with their pictures.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <filesystem>
#include <fstream>

#include "convert/DocsmithLibrary.h"
#include "chartview/ui/CTesselView.h"
#include "platform/Cp932.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/SettingsTable.h"
#include "shell/HtmlAreaController.h"
#include "shell/ui/CHView.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CTesselApp.h"
#include "shell/ui/FrameRegistration.h"
#include "store/InfoFile.h"
#include "store/MaterialStore.h"

#include "ChooseFileWhenAsked.h"

namespace plume::shell {
namespace {

namespace fs = std::filesystem;
using platform::MsgResult;

template <typename Done>
bool WaitFor(Done done, int ms = 30000) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < ms) QTest::qWait(25);
  return done();
}

void Drop(QWidget* viewport, QMimeData& mime, QPoint at) {
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &enter);
  QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &drop);
}

std::string RunTool(const QString& program, const QStringList& args, int* code = nullptr) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished(60000);
  if (code) *code = p.exitCode();
  return p.readAllStandardOutput().toStdString();
}

TEST(RegistrationBrowser, CapturesAndDropsEndToEnd) {
  convert::DocsmithLibrary::SetFolder(PLUME_DOCSMITH_DIR);
  QTemporaryDir dir;
  const fs::path root(dir.path().toStdString());
  fs::create_directories(root / "site");
  std::ofstream(root / "site" / "page.html")
      << "<!doctype html><html><head><title>Test page</title></head><body style='margin:0'>"
         "<h1>Registration</h1><p>Some words on the page.</p><div style='height:1500px;background:#8cf'></div>"
         "</body></html>";
  fs::copy_file(fs::path(PLUME_TEST_DATA_DIR) / "capture" / "rgb-baseline.jpg", root / "site" / "photo.JPG");
  {
    QImage png(60, 40, QImage::Format_RGB32);
    png.fill(qRgb(200, 40, 40));
    png.save(QString::fromStdString((root / "site" / "red.png").string()));
  }
  QProcess server;
  server.setWorkingDirectory(QString::fromStdString((root / "site").string()));
  server.setProcessChannelMode(QProcess::MergedChannels);
  server.start("python3", {"-u", "-m", "http.server", "--bind", "127.0.0.1", "0"});
  QString base;
  QString out;
  while (base.isEmpty() && server.waitForReadyRead(5000)) {
    out += QString::fromUtf8(server.readAll());
    if (const auto m = QRegularExpression("port (\\d+)").match(out); m.hasMatch()) {
      base = "http://127.0.0.1:" + m.captured(1) + "/";
    }
  }
  ASSERT_FALSE(base.isEmpty());

  platform::MemorySettingsStore store;
  QTemporaryDir lockDir;
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard{&sink};
  platform::settings::Set(store, platform::settings::KanSet::StorePath, (root / "Data").string());
  platform::settings::Set(store, platform::settings::KanSet::Home, "about:blank");
  AppOptions options;
  options.store = &store;
  options.lockFolder = lockDir.path();
  options.webEngine = true;
  auto app = std::make_unique<CTesselApp>(std::move(options));
  ASSERT_TRUE(app->Start({}));
  CMainFrame* frame = app->Frame();
  frame->resize(1280, 860);
  frame->show();
  document::ChartDocument& chart = *app->Chart();
  chartview::CTesselView* view = frame->ChartView();
  HtmlAreaController& html = frame->HtmlArea()->Controller();
  auto* registration = view->findChild<FrameRegistration*>();
  ASSERT_NE(registration, nullptr);

  // A page captured whole as PDF, with the page's text behind the image page.
  ASSERT_TRUE(html.Navigate((base + "page.html").toStdString()));
  ASSERT_TRUE(WaitFor([&] { return html.GetPageType() == "HTML" && html.GetPageTitle() == "Test page"; }));
  ASSERT_TRUE(WaitFor([&] { return !frame->TextArea()->toPlainText().isEmpty(); }, 10000));
  const fs::path docPath = root / "plan.pbd";
  sink.Answer(MsgResult::Yes);
  ChooseFileWhenAsked(QString::fromStdString(docPath.string()));
  ASSERT_TRUE(registration->Flows().RunCommand(32771, {40, 40}));
  ASSERT_EQ(chart.nodeCount, 1) << ::testing::PrintToString(sink.Ids());
  const fs::path data = root / "Data" / "PLUMEDATA";
  const fs::path pdf = data / "PDF" / "00" / "00000000.PDF";
  int code = -1;
  RunTool("qpdf", {"--check", QString::fromStdString(pdf.string())}, &code);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(RunTool("qpdf", {"--show-npages", QString::fromStdString(pdf.string())}), "2\n");
  const auto info = store::InfoFile::ReadInfoAt(data / "KANRI" / "00" / "00000000.xml");
  ASSERT_TRUE(info);
  EXPECT_EQ(info->title, "Test page");
  EXPECT_EQ(info->getFrom, (base + "page.html").toStdString());
  EXPECT_EQ(info->createDate.size(), 16u);
  EXPECT_NE(store::InfoFile::ReadInfoTagAt(data / "KANRI" / "00" / "00000000.xml", "FilePath", 1), "");
  EXPECT_TRUE(fs::exists(data / "TXT" / "00" / "00000000.TXT"));

  // The same page as an image.
  ASSERT_TRUE(registration->Flows().RunCommand(32825, {200, 40}));
  ASSERT_EQ(chart.nodeCount, 2);
  EXPECT_EQ(std::string(platform::FieldText(chart.nodes[1].dataType)), "JPEG");

  // A local JPEG and a local PDF dropped on the chart view.
  QMimeData jpeg;
  jpeg.setUrls({QUrl::fromLocalFile(QString::fromStdString((root / "site" / "photo.JPG").string()))});
  Drop(view->viewport(), jpeg, QPoint(300, 200));
  ASSERT_TRUE(WaitFor([&] { return chart.nodeCount == 3; }, 5000));
  EXPECT_EQ(std::string(platform::FieldText(chart.nodes[2].title)), "photo.JPG");
  QMimeData pdfDrop;
  pdfDrop.setUrls({QUrl::fromLocalFile(QString::fromStdString(pdf.string()))});
  Drop(view->viewport(), pdfDrop, QPoint(400, 300));
  ASSERT_TRUE(WaitFor([&] { return chart.nodeCount == 4; }, 30000)) << ::testing::PrintToString(sink.Ids());
  EXPECT_EQ(std::string(platform::FieldText(chart.nodes[3].title)), "00000000.PDF");
  EXPECT_TRUE(fs::exists(data / "TXT" / "03" / "00000003.TXT"));

  // A link to a PNG on the web.
  QMimeData link;
  link.setUrls({QUrl(base + "red.png")});
  Drop(view->viewport(), link, QPoint(500, 120));
  ASSERT_TRUE(WaitFor([&] { return chart.nodeCount == 5; }, 15000)) << ::testing::PrintToString(sink.Ids());
  EXPECT_TRUE(fs::exists(data / "PNG" / "04" / "00000004.PNG"));
  if (const char* shot = std::getenv("PLUME_SHOT_DIR")) frame->grab().save(QString(shot) + "/registration-e2e.png");

  // Saved and opened again: every picture node shows its picture.
  ASSERT_TRUE(app->Document().Save());
  ASSERT_TRUE(app->Document().Open(docPath));
  ASSERT_EQ(chart.nodeCount, 5);
  for (int i : {1, 2, 4}) {
    EXPECT_EQ(chart.nodes[i].hasImage, 1);
    EXPECT_NE(chart.NodePicture(i), nullptr) << i;
  }
  EXPECT_EQ(platform::settings::Get(store, platform::settings::Sys::No), "00000005");
  app.reset();
  server.kill();
  server.waitForFinished();
}

}  // namespace
}  // namespace plume::shell
