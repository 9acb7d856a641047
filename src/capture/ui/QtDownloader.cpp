#include "capture/ui/QtDownloader.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProgressDialog>
#include <QTimer>
#include <QUrl>
#include <system_error>

#include "platform/WorkFolder.h"
#include "platform/Cp932.h"
#include "platform/FileDescriptor.h"
#include "platform/Messages.h"
#include "platform/qt/QtConvert.h"

namespace plume::capture::ui {

namespace fs = std::filesystem;
using platform::MsgIcon;
using platform::ShowMessage;
using platform::StringId;

namespace {

/// Whether the file begins with "<" (a server's HTML error page). A file that
/// cannot be read does not.
bool StartsWithAngle(const fs::path& file) {
  QFile f(QString::fromStdString(file.string()));
  char first = 0;
  return f.open(QIODevice::ReadOnly) && f.read(&first, 1) == 1 && first == '<';
}

/// A cookie jar that starts with the browser's cookies.
class SessionCookieJar : public QNetworkCookieJar {
 public:
  explicit SessionCookieJar(const QList<QNetworkCookie>& cookies) { setAllCookies(cookies); }
};

}  // namespace

QByteArray QtDownloader::ReferrerFor(const QUrl& page, const QUrl& target) {
  const QString from = page.scheme().toLower();
  if (from != "http" && from != "https") return {};
  if (from == "https" && target.scheme().toLower() != "https") return {};
  QUrl sent = page.adjusted(QUrl::RemoveUserInfo | QUrl::RemoveFragment);
  const bool sameSite = page.scheme().compare(target.scheme(), Qt::CaseInsensitive) == 0 &&
                        page.host().compare(target.host(), Qt::CaseInsensitive) == 0 && page.port() == target.port();
  if (!sameSite) sent = sent.adjusted(QUrl::RemovePath | QUrl::RemoveQuery);
  QByteArray text = sent.toEncoded();
  if (!sameSite) text += '/';
  return text;
}

QtDownloader::QtDownloader(Options options) : options_(std::move(options)) {
  if (!options_.workFolder) options_.workFolder = [] { return platform::GetScratchFolder(); };
}

void QtDownloader::Cancel() {
  cancelled_ = true;
  if (reply_) reply_->abort();
}

fs::path QtDownloader::DownloadToWork(std::string_view url, std::string_view typeWord) {
  outcome_ = Outcome::Failed;
  // The event loop runs during a download: a second drop meanwhile is refused, not nested.
  if (reply_) {
    ShowMessage(StringId::DownloadFailed, {}, MsgIcon::Information);
    return {};
  }
  cancelled_ = false;
  const fs::path work = options_.workFolder();
  if (work.empty()) return {};
  const fs::path target = work / ("tmp." + std::string(typeWord));
  fs::path part = target;
  part += ".part";

  const QString text = platform::FromCp932(url);
  QUrl address = QUrl::fromUserInput(text);
  if (text.startsWith('/')) address = QUrl::fromLocalFile(text);
  const QString scheme = address.scheme().toLower();
  if (address.isLocalFile()) {
    outcome_ = CopyLocal(fs::path(address.toLocalFile().toStdString()), part);
  } else if (address.isValid() && (scheme == "http" || scheme == "https")) {
    outcome_ = Fetch(address, part);
  }
  if (outcome_ == Outcome::Saved && StartsWithAngle(part)) outcome_ = Outcome::Failed;
  std::error_code ec;
  if (outcome_ == Outcome::Saved) {
    fs::rename(part, target, ec);
    if (!ec) return target;
    outcome_ = Outcome::Failed;
  }
  fs::remove(part, ec);
  if (outcome_ == Outcome::TooLarge) ShowMessage(StringId::DownloadTooLarge);
  if (outcome_ == Outcome::Failed) ShowMessage(StringId::DownloadFailed, {}, MsgIcon::Information);
  return {};
}

QtDownloader::Outcome QtDownloader::CopyLocal(const fs::path& source, const fs::path& partFile) {
  std::error_code ec;
  const auto size = fs::file_size(source, ec);
  if (ec || !platform::IsRegularFile(source)) return Outcome::Failed;
  if (static_cast<qint64>(size) > options_.maxBytes) return Outcome::TooLarge;
  fs::copy_file(source, partFile, fs::copy_options::overwrite_existing, ec);
  return ec ? Outcome::Failed : Outcome::Saved;
}

QtDownloader::Outcome QtDownloader::Fetch(const QUrl& url, const fs::path& partFile) {
  QFile out(QString::fromStdString(partFile.string()));
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return Outcome::Failed;

  QNetworkAccessManager manager;
  QNetworkRequest request(url);
  const Session& session = options_.session;
  // The manager owns the jar; it answers for every redirect as the browser would.
  if (session.cookies) manager.setCookieJar(new SessionCookieJar(session.cookies()));
  if (session.userAgent) {
    const QByteArray agent = session.userAgent();
    if (!agent.isEmpty()) request.setHeader(QNetworkRequest::UserAgentHeader, agent);
  }
  if (session.referrer) {
    const QByteArray referrer = ReferrerFor(session.referrer(), url);
    if (!referrer.isEmpty()) request.setRawHeader("Referer", referrer);
  }
  // Redirects from http to https and within a scheme only: never down to plain http.
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
  request.setMaximumRedirectsAllowed(options_.maxRedirects);
  // Qt's transfer time-out restarts with every byte: it fires on silence, not on a slow transfer.
  request.setTransferTimeout(static_cast<int>(options_.silence.count()));
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);

  QNetworkReply* reply = manager.get(request);
  reply_ = reply;
  bool tooLarge = false;
  bool writeFailed = false;
  qint64 received = 0;
  auto refuse = [&] {
    tooLarge = true;
    reply->abort();
  };
  QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [&] {
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > options_.maxBytes) refuse();
  });
  QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
    const QByteArray chunk = reply->readAll();
    received += chunk.size();
    if (received > options_.maxBytes) {
      refuse();
      return;
    }
    if (out.write(chunk) != chunk.size()) {
      writeFailed = true;
      reply->abort();
    }
  });

  QProgressDialog* dialog = nullptr;
  QTimer showDialog;
  if (options_.showProgress) {
    showDialog.setSingleShot(true);
    QObject::connect(&showDialog, &QTimer::timeout, reply, [&] {
      dialog = new QProgressDialog(QString::fromUtf8(platform::StringText(StringId::DownloadInProgress).data()),
                                   QStringLiteral("キャンセル"), 0, 0, options_.parent);
      dialog->setWindowTitle(QString::fromUtf8(platform::kAppTitle));
      dialog->setWindowModality(Qt::WindowModal);
      dialog->setMinimumDuration(0);
      QObject::connect(dialog, &QProgressDialog::canceled, this, &QtDownloader::Cancel);
      QObject::connect(reply, &QNetworkReply::downloadProgress, dialog, [dialog](qint64 done, qint64 total) {
        if (total > 0) {
          dialog->setMaximum(1000);
          dialog->setValue(static_cast<int>(done * 1000 / total));
        }
      });
      dialog->show();
    });
    showDialog.start(static_cast<int>(options_.progressDelay.count()));
  }

  QEventLoop loop;
  QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  if (!reply->isFinished()) loop.exec();
  showDialog.stop();
  delete dialog;
  if (reply->bytesAvailable() > 0 && !tooLarge && !writeFailed) {
    const QByteArray rest = reply->readAll();
    received += rest.size();
    if (received > options_.maxBytes) tooLarge = true;
    else if (out.write(rest) != rest.size()) writeFailed = true;
  }
  const bool ok = reply->error() == QNetworkReply::NoError;
  reply->deleteLater();
  reply_ = nullptr;
  out.close();
  if (cancelled_) return Outcome::Cancelled;
  if (tooLarge) return Outcome::TooLarge;
  if (!ok || writeFailed || out.error() != QFileDevice::NoError) return Outcome::Failed;
  return Outcome::Saved;
}

}  // namespace plume::capture::ui
