#pragma once
// The web view on Qt WebEngine: a QWebEngineView with its own profile, new
// windows refused, navigations limited by QtWebPage, files dropped on it
// ignored and PDFs shown by the engine's built-in viewer. The engine's
// sandbox is left as the engine sets it up.

#include <QList>
#include <QNetworkCookie>
#include <QPointer>
#include <QWebEngineView>

#include <filesystem>
#include <map>
#include <memory>

#include "platform/WebView.h"

class QObject;
class QWebEngineDownloadRequest;
class QWebEnginePage;
class QWebEngineProfile;
class QWidget;

namespace plume::platform {

class QtWebPage;

class QtWebView : public WebView {
 public:
  /// `storageFolder`: where cookies, logins, visited links and the cache are
  /// kept between runs; empty for a profile that keeps nothing on disk.
  /// The view is created as a child of `parent`.
  QtWebView(const std::filesystem::path& storageFolder, QWidget* parent);
  ~QtWebView() override;
  QtWebView(const QtWebView&) = delete;
  QtWebView& operator=(const QtWebView&) = delete;

  /// The engine's widget and page, for capturing what is shown.
  QWebEngineView* View() const { return view_; }
  QWebEnginePage* Page() const;

  /// The profile's cookies as they are now (kept in step with the engine's
  /// cookie store), for downloads that must carry the browser's login.
  QList<QNetworkCookie> Cookies() const { return cookies_; }
  /// The browser's user agent.
  QByteArray UserAgent() const;
  /// The address on show, as sent as referrer.
  QUrl PageUrl() const;

  /// Zoom factor of text size `level` (clamped to 0..4).
  static double ZoomFactor(int level);

  void Navigate(const std::string& address) override;
  void Back() override;
  void Forward() override;
  void Stop() override;
  void Reload() override;
  bool CanGoBack() const override;
  bool CanGoForward() const override;
  std::string Address() const override;
  std::string Title() const override;
  void SetTextSize(int level) override;
  void PageText(std::function<void(std::string text)> done) override;
  void Download(const std::string& address, const std::filesystem::path& file,
                std::function<void(bool ok)> done) override;

 private:
  class DropBlocker;
  void OnDownloadRequested(QWebEngineDownloadRequest* request);

  std::unique_ptr<QWebEngineProfile> profile_;
  QPointer<QWebEngineView> view_;
  std::unique_ptr<DropBlocker> dropBlocker_;
  struct PendingDownload {
    std::filesystem::path file;
    std::function<void(bool)> done;
  };
  std::multimap<std::string, PendingDownload> downloads_;
  QList<QNetworkCookie> cookies_;
};

}  // namespace plume::platform
