#pragma once
// Loads an address into a web engine view and waits for the load to end, for
// the browser tests and the capture benchmark.

#include <QEventLoop>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>

namespace plume::testing {

/// Loads `url` into `view`, running the event loop until the load ends or
/// `timeoutMs` have passed; true when the page loaded.
inline bool LoadPage(QWebEngineView& view, const QUrl& url, int timeoutMs = 30000) {
  QEventLoop loop;
  bool ok = false;
  QObject::connect(&view, &QWebEngineView::loadFinished, &loop, [&](bool b) {
    ok = b;
    loop.quit();
  });
  QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  view.load(url);
  loop.exec();
  return ok;
}

}  // namespace plume::testing
