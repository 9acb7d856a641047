#include "platform/web/QtWebPage.h"

#include <QSet>

namespace plume::platform {

namespace {

/// Schemes a top-level page may show.
bool IsPageScheme(const QString& scheme) {
  static const QSet<QString> kSchemes{QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("file"),
                                      QStringLiteral("about"), QStringLiteral("data"), QStringLiteral("blob")};
  return kSchemes.contains(scheme);
}

/// Schemes the engine uses inside a page (its PDF viewer among them); none
/// of them hands the address to another program.
bool IsFrameScheme(const QString& scheme) {
  static const QSet<QString> kSchemes{QStringLiteral("chrome"), QStringLiteral("chrome-extension"),
                                      QStringLiteral("qrc"), QStringLiteral("javascript")};
  return IsPageScheme(scheme) || kSchemes.contains(scheme);
}

}  // namespace

QtWebPage::QtWebPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {}

bool QtWebPage::MayNavigate(const QUrl& from, const QUrl& to, NavigationType type, bool isMainFrame) {
  const QString scheme = to.scheme().toLower();
  if (!(isMainFrame ? IsPageScheme(scheme) : IsFrameScheme(scheme))) return false;
  // Local files are reached only from local pages or by the program itself
  // (address field, bookmarks, history).
  if (scheme == QLatin1String("file")) {
    const bool fromLocal = from.isEmpty() || from.isLocalFile() || from.scheme() == QLatin1String("about");
    return fromLocal || type == NavigationTypeTyped || type == NavigationTypeBackForward;
  }
  return true;
}

bool QtWebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
  if (MayNavigate(this->url(), url, type, isMainFrame)) return true;
  if (refused) refused(url);
  return false;
}

void QtWebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int, const QString&) {}

}  // namespace plume::platform
