// Downloads that carry the HTML area's login: a local server sends its PDF
// only with the cookie a page shown in the engine has set.

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "capture/ui/QtDownloader.h"
#include "platform/Messages.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/web/QtWebView.h"

namespace plume::capture::ui {
namespace {

namespace fs = std::filesystem;

/// Runs the event loop until `done` or about `ms` milliseconds.
template <typename Done>
bool WaitFor(Done done, int ms) {
  QEventLoop loop;
  QTimer tick;
  tick.start(20);
  QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
    if (done()) loop.quit();
  });
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  if (!done()) loop.exec();
  return done();
}

TEST(SessionDownload, FileBehindALoginArrivesOnlyWithTheAreasSession) {
  QProcess server;
  server.start("python3", {PLUME_DOWNLOAD_SERVER});
  ASSERT_TRUE(server.waitForReadyRead(30000));  // a loaded machine starts python slowly
  const std::string base = "http://127.0.0.1:" + QString::fromUtf8(server.readLine()).trimmed().toStdString();
  const fs::path work = fs::temp_directory_path() / ("plume-session-" + std::to_string(::getpid()));
  fs::create_directories(work);
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard(&sink);

  // GIVEN the login page shown in the browser, which sets the session cookie
  platform::QtWebView web({}, nullptr);
  bool loaded = false;
  web.loadFinished = [&](const std::string&, bool ok) { loaded = ok; };
  web.Navigate(base + "/login.html");
  ASSERT_TRUE(WaitFor([&] { return loaded; }, 20000));
  ASSERT_TRUE(WaitFor([&] { return !web.Cookies().isEmpty(); }, 5000));

  QtDownloader::Options options;
  options.showProgress = false;
  options.workFolder = [work] { return work; };
  const std::string pdf = base + "/private.pdf";
  // WHEN a download goes without the session, THEN the server's login page is refused as before
  {
    QtDownloader bare(options);
    EXPECT_TRUE(bare.DownloadToWork(pdf, "PDF").empty());
    EXPECT_EQ(sink.Ids(), std::vector<int>{static_cast<int>(platform::StringId::DownloadFailed)});
  }
  // WHEN it carries the browser's session, THEN the PDF arrives, asked for as the browser would ask
  options.session.cookies = [&web] { return web.Cookies(); };
  options.session.userAgent = [&web] { return web.UserAgent(); };
  options.session.referrer = [&web] { return web.PageUrl(); };
  QtDownloader withSession(options);
  const fs::path file = withSession.DownloadToWork(pdf, "PDF");
  ASSERT_FALSE(file.empty());
  std::ifstream in(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes, "%PDF-1.4 private|" + web.UserAgent().toStdString() + "|" + base + "/login.html");

  server.closeWriteChannel();
  if (!server.waitForFinished(3000)) server.kill();
  fs::remove_all(work);
}

TEST(SessionDownload, ReferrerIsTheWholePageWithinASiteTheSiteElsewhereAndNeverDownToHttp) {
  struct Case {
    const char* page;
    const char* target;
    const char* sent;
  };
  const Case cases[] = {
      {"https://a.jp/p/page.html?q=1#top", "https://a.jp/f.pdf", "https://a.jp/p/page.html?q=1"},
      {"https://a.jp/p/page.html", "https://b.jp/f.pdf", "https://a.jp/"},
      {"https://a.jp/p/page.html", "http://a.jp/f.pdf", ""},
      {"http://u:pw@a.jp/page.html", "http://a.jp/f.pdf", "http://a.jp/page.html"},
      {"file:///home/u/a.pdf", "http://a.jp/f.pdf", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(QtDownloader::ReferrerFor(QUrl(c.page), QUrl(c.target)).toStdString(), c.sent) << c.page;
  }
}

}  // namespace
}  // namespace plume::capture::ui
