#include "platform/web/QtWebView.h"

#include <QChildEvent>
#include <QDir>
#include <QEvent>
#include <QWebEngineCookieStore>
#include <QWebEngineDownloadRequest>
#include <QWebEngineHistory>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <algorithm>
#include <array>

#include "platform/web/QtWebPage.h"

namespace plume::platform {

namespace {

std::string ToUtf8(const QString& text) { return text.toStdString(); }

QWebEngineProfile* MakeProfile(const std::filesystem::path& storageFolder) {
  if (storageFolder.empty()) return new QWebEngineProfile();  // off the record
  auto* profile = new QWebEngineProfile(QStringLiteral("Plumeboard"));
  const QString folder = QString::fromStdString(storageFolder.string());
  QDir().mkpath(folder);
  profile->setPersistentStoragePath(folder);
  profile->setCachePath(folder + QStringLiteral("/cache"));
  // Session cookies too, so a login survives a restart.
  profile->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
  return profile;
}

void Configure(QWebEngineSettings* s) {
  s->setAttribute(QWebEngineSettings::PluginsEnabled, true);
  s->setAttribute(QWebEngineSettings::PdfViewerEnabled, true);
  s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
  s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
  s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
  s->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
  s->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
}

}  // namespace

/// Ignores drags and drops on the view and every widget the engine puts in it.
class QtWebView::DropBlocker : public QObject {
 public:
  void Watch(QObject* object) {
    object->installEventFilter(this);
    for (QObject* child : object->children()) Watch(child);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::ChildAdded:
        Watch(static_cast<QChildEvent*>(event)->child());
        return false;
      case QEvent::DragEnter:
      case QEvent::DragMove:
      case QEvent::Drop:
        event->ignore();
        return true;
      default:
        return QObject::eventFilter(watched, event);
    }
  }
};

QtWebView::QtWebView(const std::filesystem::path& storageFolder, QWidget* parent)
    : profile_(MakeProfile(storageFolder)), dropBlocker_(std::make_unique<DropBlocker>()) {
  Configure(profile_->settings());
  // A copy of the engine's cookies for downloads made outside the engine.
  QWebEngineCookieStore* cookies = profile_->cookieStore();
  QObject::connect(cookies, &QWebEngineCookieStore::cookieAdded, profile_.get(), [this](const QNetworkCookie& c) {
    cookies_.removeIf([&c](const QNetworkCookie& known) { return known.hasSameIdentifier(c); });
    cookies_.append(c);
  });
  QObject::connect(cookies, &QWebEngineCookieStore::cookieRemoved, profile_.get(), [this](const QNetworkCookie& c) {
    cookies_.removeIf([&c](const QNetworkCookie& known) { return known.hasSameIdentifier(c); });
  });
  cookies->loadAllCookies();
  QObject::connect(profile_.get(), &QWebEngineProfile::downloadRequested, profile_.get(),
                   [this](QWebEngineDownloadRequest* request) { OnDownloadRequested(request); });

  view_ = new QWebEngineView(parent);
  auto* page = new QtWebPage(profile_.get(), view_);
  view_->setPage(page);
  view_->setAcceptDrops(false);
  dropBlocker_->Watch(view_);

  page->refused = [this](const QUrl& url) {
    if (navigationRefused) navigationRefused(ToUtf8(url.toString()));
  };
  QObject::connect(page, &QWebEnginePage::loadFinished, view_, [this, page](bool ok) {
    if (loadFinished) loadFinished(ToUtf8(page->url().toString()), ok);
  });
  QObject::connect(page, &QWebEnginePage::linkHovered, view_, [this](const QString& url) {
    if (statusText) statusText(ToUtf8(url));
  });
  QObject::connect(page, &QWebEnginePage::titleChanged, view_, [this](const QString& title) {
    if (titleChanged) titleChanged(ToUtf8(title));
  });
  // The page makes no window of its own (createWindow gives none); the
  // request ends here unopened.
  QObject::connect(page, &QWebEnginePage::newWindowRequested, view_, [this](QWebEngineNewWindowRequest& request) {
    if (newWindowRefused) newWindowRefused(ToUtf8(request.requestedUrl().toString()), request.isUserInitiated());
  });
}

QtWebView::~QtWebView() {
  // The page must go before its profile.
  delete view_.data();
  for (auto& [address, pending] : downloads_) {
    (void)address;
    pending.done = nullptr;
  }
  profile_.reset();
}

QByteArray QtWebView::UserAgent() const { return profile_ ? profile_->httpUserAgent().toUtf8() : QByteArray(); }

QUrl QtWebView::PageUrl() const { return view_ ? view_->url() : QUrl(); }

QWebEnginePage* QtWebView::Page() const { return view_ ? view_->page() : nullptr; }

double QtWebView::ZoomFactor(int level) {
  static constexpr std::array<double, 5> kFactors{0.7, 0.8, 0.9, 1.0, 1.2};
  return kFactors[static_cast<std::size_t>(std::clamp(level, 0, 4))];
}

void QtWebView::Navigate(const std::string& address) {
  if (view_) view_->load(QUrl(QString::fromStdString(address)));
}

void QtWebView::Back() {
  if (view_) view_->back();
}

void QtWebView::Forward() {
  if (view_) view_->forward();
}

void QtWebView::Stop() {
  if (view_) view_->stop();
}

void QtWebView::Reload() {
  if (view_) view_->reload();
}

bool QtWebView::CanGoBack() const { return view_ && view_->history()->canGoBack(); }

bool QtWebView::CanGoForward() const { return view_ && view_->history()->canGoForward(); }

std::string QtWebView::Address() const { return view_ ? ToUtf8(view_->url().toString()) : std::string(); }

std::string QtWebView::Title() const { return view_ ? ToUtf8(view_->title()) : std::string(); }

void QtWebView::SetTextSize(int level) {
  if (view_) view_->setZoomFactor(ZoomFactor(level));
}

void QtWebView::PageText(std::function<void(std::string text)> done) {
  if (!view_) {
    done({});
    return;
  }
  view_->page()->toPlainText([done = std::move(done)](const QString& text) { done(ToUtf8(text)); });
}

void QtWebView::Download(const std::string& address, const std::filesystem::path& file,
                         std::function<void(bool ok)> done) {
  if (!view_) {
    done(false);
    return;
  }
  downloads_.emplace(address, PendingDownload{file, std::move(done)});
  view_->page()->download(QUrl(QString::fromStdString(address)), QString::fromStdString(file.string()));
}

void QtWebView::OnDownloadRequested(QWebEngineDownloadRequest* request) {
  // Only the downloads asked for through Download are taken; the browser
  // saves nothing else.
  auto it = downloads_.find(ToUtf8(request->url().toString()));
  if (it == downloads_.end()) {
    request->cancel();
    return;
  }
  PendingDownload pending = std::move(it->second);
  downloads_.erase(it);
  request->setDownloadDirectory(QString::fromStdString(pending.file.parent_path().string()));
  request->setDownloadFileName(QString::fromStdString(pending.file.filename().string()));
  auto done = std::make_shared<std::function<void(bool)>>(std::move(pending.done));
  QObject::connect(request, &QWebEngineDownloadRequest::isFinishedChanged, request, [request, done] {
    if (!request->isFinished() || !*done) return;
    const bool ok = request->state() == QWebEngineDownloadRequest::DownloadCompleted;
    auto call = std::move(*done);
    *done = nullptr;
    call(ok);
  });
  request->accept();
}

}  // namespace plume::platform
