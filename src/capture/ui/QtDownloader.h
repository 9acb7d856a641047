#pragma once
// Downloads of dropped links into the work folder with QNetworkAccessManager.
// Only http and https are fetched (a file URL or a plain path is copied);
// redirects are followed but never from https to http; a server that sends
// nothing for `silence` is given up; a file larger than `maxBytes` is
// refused with its own message. The event loop keeps running meanwhile, and
// a progress dialog with Cancel appears when a download takes longer than
// `progressDelay`. Whatever fails, the target file is left as it was.
// Given the browser's session, a download carries its cookies, its user
// agent and the page on show as referrer, so a file behind a login that the
// HTML area shows arrives as it does in the area.

#include <QByteArray>
#include <QList>
#include <QNetworkCookie>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string_view>

#include "capture/DownloadPort.h"

class QWidget;
class QNetworkReply;

namespace plume::capture::ui {

class QtDownloader : public QObject, public DownloadPort {
  Q_OBJECT

 public:
  /// The browser's session; each part may be left empty.
  struct Session {
    std::function<QList<QNetworkCookie>()> cookies;
    std::function<QByteArray()> userAgent;
    std::function<QUrl()> referrer;  ///< the page on show
  };

  struct Options {
    qint64 maxBytes = qint64{512} << 20;  ///< the size cap (message 30561 above it)
    std::chrono::milliseconds silence{30000};  ///< no byte for this long: failed
    std::chrono::milliseconds progressDelay{800};  ///< the dialog shows after this
    int maxRedirects = 10;
    bool showProgress = true;
    QWidget* parent = nullptr;  ///< owner of the progress dialog
    /// The folder of the download's temporary file; this process's GetScratchFolder by default.
    std::function<std::filesystem::path()> workFolder;
    Session session;
  };

  /// The Referer a download of `target` sends for the page `page`: the whole
  /// address within one site, the site alone elsewhere, nothing from https
  /// to http or from a page that is no web page.
  static QByteArray ReferrerFor(const QUrl& page, const QUrl& target);

  /// How the last download ended.
  enum class Outcome { Saved, Failed, TooLarge, Cancelled };

  QtDownloader() : QtDownloader(Options{}) {}
  explicit QtDownloader(Options options);

  /// `url` is CP932 text. The path of W/tmp.<typeWord>, or empty: after
  /// 30076 for a failed download, an unsupported scheme or an HTML page
  /// (a file beginning with "<"), after 30561 for a file above the cap, and
  /// without a message when the user cancelled.
  std::filesystem::path DownloadToWork(std::string_view url, std::string_view typeWord) override;

  Outcome LastOutcome() const { return outcome_; }

 public slots:
  /// Stops the running download (the progress dialog's Cancel).
  void Cancel();

 private:
  Outcome Fetch(const QUrl& url, const std::filesystem::path& partFile);
  Outcome CopyLocal(const std::filesystem::path& source, const std::filesystem::path& partFile);

  Options options_;
  Outcome outcome_ = Outcome::Failed;
  QPointer<QNetworkReply> reply_;
  bool cancelled_ = false;
};

}  // namespace plume::capture::ui
