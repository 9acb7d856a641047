#pragma once
// The page of the HTML area's browser: it decides which navigations may
// happen (scheme allow-list, no local files reached from remote pages) and
// keeps script console output to itself.

#include <QWebEnginePage>

#include <functional>

namespace plume::platform {

class QtWebPage : public QWebEnginePage {
  Q_OBJECT
 public:
  QtWebPage(QWebEngineProfile* profile, QObject* parent);

  /// Whether a page at `from` may navigate a frame to `to`.
  static bool MayNavigate(const QUrl& from, const QUrl& to, NavigationType type, bool isMainFrame);

  /// Called with the address of every refused navigation.
  std::function<void(const QUrl&)> refused;

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                const QString& source) override;
};

}  // namespace plume::platform
