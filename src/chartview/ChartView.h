#pragma once
// The chart view's state and painting without a window: zoom, scroll
// position, client size, the item edited in place, the link markers of the
// last paint, and undo and redo through the document's history. The Qt widget owns one, forwards
// paints and commands to it and implements ViewHost for it.

#include <vector>

#include "commands/CommandTable.h"
#include "chartview/LinkMarker.h"
#include "chartview/PaintParams.h"
#include "chartview/ViewHost.h"
#include "document/ChartDocument.h"
#include "platform/Canvas.h"
#include "platform/ScratchSurface.h"
#include "platform/SettingsStore.h"

namespace plume::chartview {

class ChartView {
 public:
  static constexpr float kMinZoom = 0.08f;
  static constexpr float kMaxZoom = 4.0f;
  /// Zoom commands of the ZOOM menu.
  static constexpr int kCmdZoom100 = commands::Id(commands::CommandId::ID_ZOOM_100);
  static constexpr int kCmdZoom200 = commands::Id(commands::CommandId::ID_ZOOM_200);
  static constexpr int kCmdZoom300 = commands::Id(commands::CommandId::ID_ZOOM_300);
  static constexpr int kCmdZoom400 = commands::Id(commands::CommandId::ID_ZOOM_400);
  static constexpr int kCmdZoomFit = commands::Id(commands::CommandId::ID_ZOOM_FIT);

  /// The zoom starts from the setting Last/Zoom. `scratch` may be null (no pictures).
  ChartView(document::ChartDocument& doc, platform::SettingsStore& settings, ViewHost& host,
            platform::ScratchSurface* scratch = nullptr);

  document::ChartDocument& Document() { return doc_; }

  float Zoom() const { return zoom_; }
  /// Clamps to 8 % .. 400 %, resets the scroll extent, rebuilds the console,
  /// repaints and marks the document modified.
  void SetZoom(float factor);
  /// SetZoom(zoom + percentDelta / 100).
  void ChangeZoom(int percentDelta);
  /// Runs zoom command 336..340; false for any other id.
  bool RunZoomCommand(int id);
  /// Zoom from the setting Last/Zoom (percent), without marking the document.
  void LoadZoomFromSettings();
  /// Writes trunc(zoom x 100) to Last/Zoom (when the view goes away).
  void SaveZoomToSettings() const;
  /// The zoom as the status bar shows it: trunc(zoom x 100).
  /// The zoom in whole percent, truncated. One-percent steps added up in
  /// single precision fall a hair short (1.0 + 5 x 0.01 is 1.0499999), so a
  /// shortfall below a thousandth of a percent counts as the whole percent.
  int ZoomPercent() const { return static_cast<int>(zoom_ * 100.0f + 0.001f); }

  void SetClientSize(platform::Size size) { client_ = size; }
  platform::Size ClientSize() const { return client_; }
  /// Top-left of the visible area in screen pixels.
  void SetScroll(platform::Point scroll) { scroll_ = scroll; }
  platform::Point Scroll() const { return scroll_; }
  /// (pageWidth + 50) x zoom by (pageHeight + 50) x zoom of the current page.
  platform::Size ScrollExtent() const;

  /// Item edited in place: n + 1 for node n, -(n + 1) for slip n, 0 for none.
  int EditTarget() const { return editTarget_; }
  void SetEditTarget(int target) { editTarget_ = target; }

  /// Paints the window into the back buffer (client pixels): the current
  /// page shifted by the scroll position, white beside and below the page,
  /// the zoom console; then writes the status panes.
  void OnDraw(platform::Canvas& backBuffer);
  /// Prepares and paints page `pageIndex` at the view's zoom (printing,
  /// export); the hit-testing state of the screen paint stays as it is.
  void DrawPage(platform::Canvas& canvas, int pageIndex);
  /// The link markers of the last screen paint (at most 100), for hit-testing.
  const std::vector<LinkMarker>& LinkMarkers() const { return markers_; }

  /// Asks the window for a full repaint.
  void RequestRepaint(bool erase = false) { doc_.Changes().RequestRepaint(erase); }
  /// Marks the document modified (its change announcer).
  void MarkModified() { doc_.Changes().MarkModified(); }

  /// Undo and redo act when the history has a step and no text is being
  /// edited in place.
  bool CanUndo() const { return editTarget_ == 0 && doc_.History().CanUndo(); }
  bool CanRedo() const { return editTarget_ == 0 && doc_.History().CanRedo(); }
  /// Takes back the last step (puts back the next undone one) and shows
  /// the page it happened on; the page left keeps the view's scroll. False
  /// when there is nothing to do.
  bool Undo();
  bool Redo();

  /// After a document was opened or set up: its tables are new, so the
  /// history starts again; the selection is cleared, a dial radius outside 40..140
  /// becomes 70, the scroll extent is set and the view scrolls to the
  /// current page's saved position.
  void DocumentShown();

 private:
  PaintParams MakeParams();
  bool StepHistory(bool back);
  void WriteStatusPanes();

  document::ChartDocument& doc_;
  platform::SettingsStore& settings_;
  ViewHost& host_;
  platform::ScratchSurface* scratch_;
  float zoom_ = 1.0f;
  platform::Size client_;
  platform::Point scroll_;
  int editTarget_ = 0;
  std::vector<LinkMarker> markers_;
};

}  // namespace plume::chartview
