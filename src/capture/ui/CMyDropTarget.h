#pragma once
// The chart view's drop target: files from a file manager (file:// URLs in
// text/uri-list) become dropped files, links from a browser (text/uri-list,
// text/x-moz-url or plain text holding an address) become dropped links.
// Installed as an event filter on the chart area's viewport; it accepts the
// drag as a copy and hands the drop to the registration flows with the point
// on the page it was dropped at.

#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <functional>

#include "capture/RegistrationFlows.h"

class QMimeData;
class QWidget;

namespace plume::capture::ui {

/// What a drag carries, as the drop target sees it.
struct DroppedData {
  QStringList files;  ///< local paths, when every URL is a local file
  QString link;       ///< else the first web address (UTF-8), or empty
};

/// Files or a link out of drag data; both empty when neither is there.
DroppedData ReadDroppedData(const QMimeData& mime);

class CMyDropTarget : public QObject {
  Q_OBJECT

 public:
  /// `viewport` receives the drops; `toPage` gives the point on the page a
  /// viewport point shows (scroll and zoom of the moment).
  CMyDropTarget(QWidget* viewport, RegistrationFlows& flows, std::function<InsertionPoint(QPoint)> toPage);

  /// Drag-over: a copy when the data holds files or a link.
  static bool Accepts(const QMimeData& mime);
  /// The drop at `clientPoint`; true when a registration was made or started.
  bool Drop(const QMimeData& mime, QPoint clientPoint);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  RegistrationFlows& flows_;
  std::function<InsertionPoint(QPoint)> toPage_;
};

}  // namespace plume::capture::ui
