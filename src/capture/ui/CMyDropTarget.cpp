#include "capture/ui/CMyDropTarget.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <filesystem>
#include <vector>

#include "capture/RegistrationFlows.h"
#include "platform/Cp932.h"

namespace plume::capture::ui {

namespace {

bool IsWebAddress(const QString& text) {
  return text.startsWith("http://", Qt::CaseInsensitive) || text.startsWith("https://", Qt::CaseInsensitive);
}

}  // namespace

DroppedData ReadDroppedData(const QMimeData& mime) {
  DroppedData data;
  // Firefox's own format: the address, a line feed, the link's text (UTF-16).
  if (mime.hasFormat("text/x-moz-url")) {
    const QByteArray raw = mime.data("text/x-moz-url");
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(raw.constData()), raw.size() / 2);
    const QString first = text.section('\n', 0, 0).trimmed();
    if (IsWebAddress(first)) {
      data.link = first;
      return data;
    }
  }
  if (mime.hasUrls()) {
    const QList<QUrl> urls = mime.urls();
    bool allLocal = !urls.isEmpty();
    for (const QUrl& url : urls) allLocal = allLocal && url.isLocalFile();
    if (allLocal) {
      for (const QUrl& url : urls) data.files << url.toLocalFile();
      return data;
    }
    for (const QUrl& url : urls) {
      // The address as it was sent: escapes stay, the link rules decode them.
      const QString address = QString::fromUtf8(url.toEncoded());
      if (IsWebAddress(address)) {
        data.link = address;
        return data;
      }
    }
  }
  if (mime.hasText()) {
    const QString text = mime.text().trimmed();
    if (IsWebAddress(text) && !text.contains('\n')) data.link = text;
  }
  return data;
}

CMyDropTarget::CMyDropTarget(QWidget* viewport, RegistrationFlows& flows, std::function<InsertionPoint(QPoint)> toPage)
    : QObject(viewport), flows_(flows), toPage_(std::move(toPage)) {
  viewport->setAcceptDrops(true);
  viewport->installEventFilter(this);
}

bool CMyDropTarget::Accepts(const QMimeData& mime) {
  const DroppedData data = ReadDroppedData(mime);
  return !data.files.isEmpty() || !data.link.isEmpty();
}

bool CMyDropTarget::Drop(const QMimeData& mime, QPoint clientPoint) {
  const DroppedData data = ReadDroppedData(mime);
  const InsertionPoint point = toPage_ ? toPage_(clientPoint) : InsertionPoint{clientPoint.x(), clientPoint.y()};
  if (!data.files.isEmpty()) {
    std::vector<std::filesystem::path> files;
    for (const QString& f : data.files) files.emplace_back(f.toStdString());
    return flows_.DropFiles(files, point);
  }
  if (data.link.isEmpty()) return false;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool done = flows_.DropLink(platform::Utf8ToCp932(data.link.toStdString()), point);
  QApplication::restoreOverrideCursor();
  return done;
}

bool CMyDropTarget::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (drag->mimeData() == nullptr || !Accepts(*drag->mimeData())) return QObject::eventFilter(watched, event);
      drag->setDropAction(Qt::CopyAction);
      drag->accept();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (drop->mimeData() == nullptr || !Accepts(*drop->mimeData())) return QObject::eventFilter(watched, event);
      drop->setDropAction(Qt::CopyAction);
      drop->accept();
      // The drop's data lives only during the event: read it now, register after the drag has ended.
      const DroppedData data = ReadDroppedData(*drop->mimeData());
      auto* copy = new QMimeData;
      if (!data.files.isEmpty()) {
        QList<QUrl> urls;
        for (const QString& f : data.files) urls << QUrl::fromLocalFile(f);
        copy->setUrls(urls);
      } else {
        copy->setText(data.link);
      }
      const QPoint point = drop->position().toPoint();
      QMetaObject::invokeMethod(
          this,
          [this, copy, point] {
            Drop(*copy, point);
            delete copy;
          },
          Qt::QueuedConnection);
      return true;
    }
    default:
      return QObject::eventFilter(watched, event);
  }
}

}  // namespace plume::capture::ui
