#pragma once
// The chart area: a scroll area over the current page. Owns the chart view
// controller, implements its host (repaints, scroll extent, status panes,
// modified mark) and paints it through a QtCanvas into a back buffer that is
// copied to the window in one operation. The document's callbacks reach the
// controller through ChartViewHooks installed by this widget.

#include <QAbstractScrollArea>
#include <QImage>

#include <functional>

#include "chartview/ChartView.h"
#include "chartview/ChartViewHooks.h"
#include "platform/ScratchSurface.h"
#include "platform/SettingsStore.h"

namespace plume::chartview {

class CTesselView : public QAbstractScrollArea, public ViewHost {
  Q_OBJECT
 public:
  /// Shows `doc` (which must outlive the view) and installs its hooks;
  /// `scratch` may be null (pictures are left out).
  CTesselView(document::ChartDocument& doc, platform::SettingsStore& settings,
              platform::ScratchSurface* scratch, QWidget* parent = nullptr);
  /// Writes the zoom to Last/Zoom and removes the document hooks.
  ~CTesselView() override;

  ChartView& View() { return view_; }
  /// After the current page changed (page tabs): scroll extent, the page's
  /// saved scroll position, repaint.
  void ShowCurrentPage();
  /// After a document was opened or set up: the controller's DocumentShown.
  void DocumentShown();
  /// Scroll position in screen pixels.
  QPoint ScrollPosition() const;
  void ScrollTo(QPoint position);
  /// Zoom commands 336..340; false for any other id.
  bool RunZoomCommand(int id) { return view_.RunZoomCommand(id); }
  /// The last painted back buffer (client pixels).
  const QImage& BackBuffer() const { return back_; }

  // Services of the frame around the view.
  std::function<void(const QString& position, const QString& size)> statusPanes;
  std::function<void(const QString& zoom)> zoomPane;
  std::function<void()> modified;

  // ViewHost
  void Repaint(bool erase) override;
  void SetScrollExtent(platform::Size extent) override;
  void RebuildConsole() override;
  void ShowStatusPanes(std::string_view position, std::string_view size) override;
  void MarkModified() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void UpdateRanges();
  /// Moves the scroll bars to the controller's scroll position, then takes
  /// back what the bars allow.
  void SyncBarsFromView();
  void TakeScrollFromBars();

  document::ChartDocument& doc_;
  ChartView view_;
  ChartViewHooks hooks_;
  platform::Size extent_;
  QImage back_;
  int wheelRemainder_ = 0;
};

}  // namespace plume::chartview
