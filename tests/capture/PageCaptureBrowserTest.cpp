// The captures on the real engine, pages served by a local HTTP server the
// test starts.

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <fstream>

#include "capture/HtmlCapture.h"
#include "convert/ui/QtBitmapEncoder.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/SettingsTable.h"
#include "platform/web/QtPageCapture.h"
#include "../support/LoadPage.h"

namespace plume::capture {
namespace {

const char* const kColours[] = {"#ff0000", "#00c000", "#0000ff", "#ffff00", "#00ffff", "#ff00ff"};

// `count` stripes of `stripe` rows, `width` wide, with a fixed header when asked.
std::string StripedPage(int count, int stripe, int width, bool fixedHeader) {
  std::string html = "<!doctype html><html><head><style>body{margin:0;width:" + std::to_string(width) +
                     "px}</style></head><body>";
  if (fixedHeader)
    html += "<div style='position:fixed;top:0;left:0;width:200px;height:40px;background:#ff8800'></div>";
  for (int i = 0; i < count; ++i)
    html += "<div style='height:" + std::to_string(stripe) + "px;background:" + kColours[i % 6] + "'></div>";
  return html + "</body></html>";
}

QRgb Expected(int i) { return QColor(kColours[i % 6]).rgb(); }

bool Near(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) < 24 && std::abs(qGreen(a) - qGreen(b)) < 24 && std::abs(qBlue(a) - qBlue(b)) < 24;
}

class BrowserCapture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir = new QTemporaryDir;
    auto write = [](const char* name, const std::string& html) {
      std::ofstream(dir->filePath(name).toStdString()) << html;
    };
    write("p500.html", StripedPage(6, 500, 500, false));
    write("long.html", StripedPage(12, 1000, 1280, true));
    server = new QProcess;
    server->setWorkingDirectory(dir->path());
    server->setProcessChannelMode(QProcess::MergedChannels);
    server->start("python3", {"-u", "-m", "http.server", "--bind", "127.0.0.1", "0"});
    QRegularExpression port("port (\\d+)");
    QString out;
    while (server->waitForReadyRead(5000)) {
      out += QString::fromUtf8(server->readAll());
      if (const auto m = port.match(out); m.hasMatch()) {
        base = "http://127.0.0.1:" + m.captured(1) + "/";
        break;
      }
    }
    QImageReader::setAllocationLimit(0);
  }
  static void TearDownTestSuite() {
    server->kill();
    server->waitForFinished();
    delete server;
    delete dir;
  }

  void Show(const QString& page, int w, int h) {
    ASSERT_FALSE(base.isEmpty()) << "no local server";
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.resize(w, h);
    view.show();
    ASSERT_TRUE(plume::testing::LoadPage(view, QUrl(base + page)));
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
  }
  // Waits (at most 10 s) until the view shows `colour` at `at`: frames arrive some time after a load or scroll.
  void WaitFor(QPoint at, QRgb colour) {
    for (int i = 0; i < 200 && !Near(view.grab().toImage().pixel(at), colour); ++i) {
      QEventLoop loop;
      QTimer::singleShot(50, &loop, &QEventLoop::quit);
      loop.exec();
    }
  }
  QImage Whole() {
    std::uint16_t width = 0;
    if (!capture.CaptureWholePage(jpeg, width)) return {};
    EXPECT_EQ(width, platform::settings::Get(settings, platform::settings::KanSet::ImageW));
    return QImage(QString::fromStdString(jpeg.string()));
  }

  static inline QTemporaryDir* dir = nullptr;
  static inline QProcess* server = nullptr;
  static inline QString base;
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard{&sink};
  platform::MemorySettingsStore settings;
  QWebEngineView view;
  platform::QtPageCapture page{&view};
  convert::ui::QtBitmapEncoder encoder{settings};
  HtmlCapture capture{page, encoder, settings};
  std::filesystem::path jpeg = std::filesystem::temp_directory_path() / "plume_browser_capture.jpg";
};

TEST_F(BrowserCapture, NarrowPageIsEnlargedToImageWidth) {
  Show("p500.html", 500, 400);
  const QImage out = Whole();
  EXPECT_EQ(out.size(), QSize(1000, 6000));
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(Near(out.pixel(500, i * 1000 + 500), Expected(i))) << "stripe " << i;
}

TEST_F(BrowserCapture, LongPageBandsLandWhereTheyBelongAndTheAreaIsUntouched) {
  Show("long.html", 1280, 700);
  view.page()->runJavaScript("window.scrollTo(0, 1500)");
  QEventLoop loop;
  QTimer::singleShot(200, &loop, &QEventLoop::quit);
  loop.exec();
  const QSize sizeBefore = view.size();
  const QImage out = Whole();
  ASSERT_EQ(out.size(), QSize(1000, 9375));  // 12,000 rows at 1000 / 1280
  const double perStripe = 9375 / 12.0;
  for (int i = 0; i < 12; ++i)
    EXPECT_TRUE(Near(out.pixel(700, static_cast<int>((i + 0.5) * perStripe)), Expected(i))) << "stripe " << i;
  EXPECT_TRUE(Near(out.pixel(50, 10), qRgb(255, 136, 0))) << "the fixed header in the first band";
  const int secondBand = 4000 * 1000 / 1280;
  EXPECT_FALSE(Near(out.pixel(50, secondBand + 10), qRgb(255, 136, 0))) << "and only there";
  EXPECT_EQ(view.size(), sizeBefore);
  EXPECT_EQ(view.page()->scrollPosition().y(), 1500);
  EXPECT_TRUE(sink.Ids().empty());
}

TEST_F(BrowserCapture, VisiblePartIsTheClientAreaEachTime) {
  Show("p500.html", 900, 600);
  platform::settings::Set(settings, platform::settings::KanSet::ImageW, 300);
  WaitFor({100, 100}, Expected(0));
  std::uint16_t width = 0;
  ASSERT_TRUE(capture.CaptureVisiblePart(jpeg, width));
  EXPECT_EQ(width, 900);
  const QImage first(QString::fromStdString(jpeg.string()));
  EXPECT_EQ(first.size(), QSize(900, 600));
  view.page()->runJavaScript("window.scrollTo(0, 1000)");
  WaitFor({100, 100}, Expected(2));
  ASSERT_TRUE(capture.CaptureVisiblePart(jpeg, width));
  const QImage second(QString::fromStdString(jpeg.string()));
  EXPECT_EQ(second.size(), QSize(900, 600));
  EXPECT_TRUE(Near(first.pixel(100, 100), Expected(0)));
  EXPECT_TRUE(Near(second.pixel(100, 100), Expected(2))) << "the second capture shows the scrolled page";
}

}  // namespace
}  // namespace plume::capture
