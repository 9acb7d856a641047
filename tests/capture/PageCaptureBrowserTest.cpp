// The captures on the real engine, pages served by a local HTTP server the
// test starts (capture_server.py, which counts requests and answers some
// pages differently each time), and the tool's captures at scaled screens.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QEventLoop>
#include <QImageReader>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "capture/HtmlCapture.h"
#include "convert/ui/QtBitmapEncoder.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/SettingsTable.h"
#include "platform/web/QtPageCapture.h"
#include "platform/web/QtWebPage.h"
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

// Blocks of colour 200 px square on a page 1,000 px wide and 2,400 px tall.
std::string ScaledPage() {
  std::string html = "<!doctype html><html><head><style>body{margin:0;width:1000px}div{float:left;width:200px;"
                     "height:200px}</style></head><body>";
  for (int i = 0; i < 60; ++i) html += std::string("<div style='background:") + kColours[(i + i / 5) % 6] + "'></div>";
  return html + "</body></html>";
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
    write("section.html",
          "<!doctype html><html><body style='margin:0'><button id=b style='height:40px' "
          "onclick=\"document.getElementById('s').style.display='block'\">open</button>"
          "<div id=s style='display:none;height:2000px;background:#00c000'></div>"
          "<canvas id=c width=100 height=40 style='position:absolute;left:600px;top:0'></canvas><script>"
          "var g=document.getElementById('c').getContext('2d');g.fillStyle='#0000ff';g.fillRect(0,0,100,40);"
          "</script></body></html>");
    write("block.html", "<!doctype html><html><body style='margin:0'><div style='width:400px;height:400px;"
                        "background:#00c000'></div></body></html>");
    write("form.html",
          "<!doctype html><html><body><form id=f method=post action=/posted><input name=q value=1>"
          "<input id=t name=t></form></body></html>");
    write("scaled.html", ScaledPage());
    write("wide.html", "<!doctype html><html><body style='margin:0'><div style='width:30000px;height:3000px;"
                       "background:linear-gradient(90deg,#ff0000,#0000ff)'></div></body></html>");
    write("toowide.html", "<!doctype html><html><body style='margin:0'><div style='width:40000px;height:500px;"
                          "background:#0000ff'></div></body></html>");
    write("tall.html", "<!doctype html><html><body style='margin:0'><div style='height:200000px;"
                       "background:#00c000'></div></body></html>");
    write("alerts.html", "<!doctype html><html><body style='background:#ff0000'><script>"
                         "onload=function(){setTimeout(function(){for(;;)alert('again');},50);};"
                         "</script></body></html>");
    write("manyalerts.html", "<!doctype html><html><head><title>asking</title></head><body><script>"
                             "onload=function(){setTimeout(function(){for(var i=0;i<30;i++)alert(i);"
                             "document.title='done';},10);};</script></body></html>");
    write("endless.html", "<!doctype html><html><body style='background:#ff0000'><script>"
                          "onload=function(){setTimeout(function(){for(;;){}},50);};</script></body></html>");
    server = new QProcess;
    server->setProcessChannelMode(QProcess::MergedChannels);
    server->start("python3", {"-u", PLUME_CAPTURE_SERVER, dir->path()});
    QRegularExpression port("port (\\d+)");
    QString out;
    // Python may take a while to start on a busy machine.
    for (int wait = 0; wait < 12 && base.isEmpty(); ++wait) {
      if (!server->waitForReadyRead(5000)) continue;
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

  // Requests the server has had for `path` (with its query).
  static int Requests(const QString& path) {
    QWebEngineView probe;
    if (!plume::testing::LoadPage(probe, QUrl(base + "count?" + QUrl::toPercentEncoding(path)))) return -1;
    QEventLoop loop;
    int n = -1;
    probe.page()->toPlainText([&](const QString& text) {
      n = text.trimmed().toInt();
      loop.quit();
    });
    loop.exec();
    return n;
  }
  // Runs `script` in the page on show and waits for the load it starts.
  bool RunAndLoad(const QString& script) {
    QEventLoop loop;
    bool ok = false;
    QObject::connect(&view, &QWebEngineView::loadFinished, &loop, [&](bool b) {
      ok = b;
      loop.quit();
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    view.page()->runJavaScript(script);
    loop.exec();
    return ok;
  }
  std::string PageText() {
    QEventLoop loop;
    std::string text;
    view.page()->toPlainText([&](const QString& t) {
      text = t.toStdString();
      loop.quit();
    });
    loop.exec();
    return text;
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
  // The HTML area's own page: it refuses dialogs while a capture runs.
  platform::QtWebPage* areaPage = [this] {
    auto* p = new platform::QtWebPage(QWebEngineProfile::defaultProfile(), &view);
    view.setPage(p);
    return p;
  }();
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

TEST_F(BrowserCapture, CapturesThePageOnShowWithoutLoadingItAgain) {
  const QRgb red = QColor("#ff0000").rgb(), green = QColor("#00c000").rgb();
  // Every answer of this page has another colour and number: the capture and
  // the text show the first, and the page was asked for once.
  Show("changing.html", 800, 600);
  const QImage shown = Whole();
  ASSERT_FALSE(shown.isNull());
  EXPECT_TRUE(Near(shown.pixel(900, 300), red));
  EXPECT_NE(PageText().find("answer 1"), std::string::npos);
  EXPECT_EQ(Requests("/changing.html"), 1);

  // A section opened by a click after the load is captured open, a canvas as drawn.
  Show("section.html", 800, 600);
  view.page()->runJavaScript("document.getElementById('b').click()");
  WaitFor({100, 300}, green);
  const QImage opened = Whole();
  ASSERT_GT(opened.height(), 2000);
  EXPECT_TRUE(Near(opened.pixel(500, opened.height() / 2), green));
  EXPECT_TRUE(Near(opened.pixel(800, 25), QColor("#0000ff").rgb())) << "a canvas as its script drew it";

  // A page reached by a form post is not posted again.
  Show("form.html", 800, 600);
  ASSERT_TRUE(RunAndLoad("document.getElementById('f').submit()"));
  const QImage posted = Whole();
  EXPECT_TRUE(Near(posted.pixel(900, 300), red));
  EXPECT_NE(PageText().find("post 1"), std::string::npos);
  EXPECT_EQ(Requests("/posted"), 1);

  // The area's text size is the capture's: at twice the size a 400 px block fills an 800 px area.
  Show("block.html", 800, 600);
  view.setZoomFactor(2.0);
  WaitFor({700, 100}, green);
  const QImage zoomed = Whole();
  EXPECT_TRUE(Near(zoomed.pixel(900, 100), green));
  EXPECT_TRUE(sink.Ids().empty());
}

TEST_F(BrowserCapture, HostilePagesEndWithWhatHappened) {
  const struct {
    const char* page;
    int id;
  } cases[] = {{"tall.html", 30600}, {"toowide.html", 30601}, {"alerts.html", 30602}, {"endless.html", 30602}};
  for (const auto& c : cases) {
    sink.Reset();
    // A view of its own each time: a page that never stops keeps its renderer busy.
    QWebEngineView own;
    auto* ownPage = new platform::QtWebPage(QWebEngineProfile::defaultProfile(), &own);
    own.setPage(ownPage);
    ownPage->HoldDialogRefusal();  // as in the tool: nobody answers the page's dialogs
    own.setAttribute(Qt::WA_DontShowOnScreen);
    own.resize(800, 600);
    own.show();
    ASSERT_TRUE(plume::testing::LoadPage(own, QUrl(base + c.page))) << c.page;
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
    platform::QtPageCapture ownCapture(&own);
    HtmlCapture hostile(ownCapture, encoder, settings);
    std::uint16_t width = 0;
    EXPECT_FALSE(hostile.CaptureWholePage(jpeg, width)) << c.page;
    EXPECT_EQ(sink.Ids(), std::vector<int>{c.id}) << c.page;
  }
}

TEST_F(BrowserCapture, ASecondCaptureIsRefusedAndAViewGoneMidwayEndsTheCaptureCleanly) {
  Show("long.html", 1280, 700);
  // A second whole-page capture while the first draws its bands.
  int refused = 0;
  std::uint16_t width = 0;
  ASSERT_TRUE(capture.CaptureWholePage(jpeg, width, [&](int done, int) {
    std::uint16_t inner = 0;
    if (done == 1) refused += !capture.CaptureWholePage(dir->filePath("inner.jpg").toStdString(), inner);
    return true;
  }));
  EXPECT_EQ(refused, 1);
  EXPECT_EQ(QImage(QString::fromStdString(jpeg.string())).size(), QSize(1000, 9375)) << "the first completes";

  // The HTML area's view deleted during a capture (its window closed).
  auto* doomed = new QWebEngineView;
  doomed->setAttribute(Qt::WA_DontShowOnScreen);
  doomed->resize(1280, 700);
  doomed->show();
  ASSERT_TRUE(plume::testing::LoadPage(*doomed, QUrl(base + "long.html")));
  platform::QtPageCapture doomedPage(doomed);
  HtmlCapture doomedCapture(doomedPage, encoder, settings);
  const auto gone = dir->filePath("gone.jpg").toStdString();
  EXPECT_FALSE(doomedCapture.CaptureWholePage(gone, width, [&](int done, int) {
    if (done == 1) delete doomed;
    return true;
  }));
  EXPECT_FALSE(std::filesystem::exists(gone));
  EXPECT_EQ(doomedPage.ViewportSize().cx, 0);
}

TEST_F(BrowserCapture, APageThatOpensDialogAfterDialogCanBeSilenced) {
  // The second dialog offers the check box; ticked, the page shows no more.
  int dialogs = 0;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    ++dialogs;
    if (auto* stop = dialog->findChild<QCheckBox*>()) stop->setChecked(true);
    dialog->accept();
  });
  answer.start(50);
  Show("manyalerts.html", 800, 600);
  for (int i = 0; i < 200 && view.title() != "done"; ++i) {
    QEventLoop loop;
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
  }
  EXPECT_EQ(view.title(), "done");
  EXPECT_EQ(dialogs, 2);
}

// Runs plumeboard-tool at the screen scale `scale`; its exit code (-1 when it
// did not end within two minutes) and, through `peakKb`, its peak memory.
int RunTool(QStringList args, const QString& scale, long* peakKb = nullptr) {
  QProcess tool;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("QT_SCALE_FACTOR", scale);
  tool.setProcessEnvironment(env);
  args.prepend(PLUME_TOOL);
  args.prepend("%M");
  args.prepend("-f");
  tool.start("/usr/bin/time", args);
  if (!tool.waitForFinished(120000)) {
    tool.kill();
    tool.waitForFinished();
    return -1;
  }
  const QStringList err = QString::fromUtf8(tool.readAllStandardError()).trimmed().split('\n');
  if (peakKb != nullptr) *peakKb = err.isEmpty() ? 0 : err.last().toLong();
  return tool.exitCode();
}

TEST_F(BrowserCapture, ToolCapturesAtScaledScreensWhatItCapturesAtRatioOne) {
  ASSERT_FALSE(base.isEmpty());
  for (const bool visible : {true, false}) {
    QImage atOne;
    for (const char* scale : {"1", "1.5", "2"}) {
      const QString out = dir->filePath(QStringLiteral("scaled-%1-%2.jpg").arg(visible).arg(scale));
      QStringList args{"capture", base + "scaled.html", out, "--window", "800x600"};
      if (visible) args << "--visible";
      ASSERT_EQ(RunTool(args, scale), 0) << "scale " << scale;
      const QImage image(out);
      if (atOne.isNull()) {
        atOne = image;
        ASSERT_EQ(atOne.size(), visible ? QSize(800, 600) : QSize(1000, 2400));
        // The page itself, not a frame from before it came: block i at (i % 5, i / 5).
        for (const int i : {0, 2, 6})
          EXPECT_TRUE(Near(atOne.pixel(100 + 200 * (i % 5), 100 + 200 * (i / 5)), Expected(i + i / 5))) << i;
        continue;
      }
      ASSERT_EQ(image.size(), atOne.size()) << "scale " << scale << (visible ? " visible" : " whole");
      int differing = 0;
      for (int y = 100; y < image.height() - 20; y += 200)
        for (int x = 100; x < image.width() - 20; x += 200) differing += !Near(image.pixel(x, y), atOne.pixel(x, y));
      EXPECT_EQ(differing, 0) << "scale " << scale << (visible ? " visible" : " whole");
    }
  }
}

TEST_F(BrowserCapture, ToolTakesAWidePageInBoundedMemoryAndTheTextOfTheSameLoad) {
  ASSERT_FALSE(base.isEmpty());
  const QString out = dir->filePath("tool.jpg"), text = dir->filePath("tool.txt");
  long peakKb = 0;
  ASSERT_EQ(RunTool({"capture", base + "wide.html", out}, "1", &peakKb), 0);
  EXPECT_EQ(QImage(out).size(), QSize(1000, 100));
  EXPECT_LT(peakKb, 1024 * 1024) << "a 30,000 px wide page took " << peakKb << " kB";
  std::cout << "peak memory of the wide page's capture: " << peakKb << " kB\n";

  ASSERT_EQ(RunTool({"capture", base + "changing.html?tool", out, "--text", text}, "1"), 0);
  std::ifstream in(text.toStdString());
  const std::string taken((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(taken.find("answer 1"), std::string::npos) << taken;
  EXPECT_TRUE(Near(QImage(out).pixel(900, 300), QColor("#ff0000").rgb()));
  EXPECT_EQ(Requests("/changing.html?tool"), 1);
}

}  // namespace
}  // namespace plume::capture
