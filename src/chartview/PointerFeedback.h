#pragma once
// What the view controller shows about the pointer through its host: the
// cursor (the mouse held while it is anything but the arrow), the tooltip on
// the page's right and bottom edges, and the pointer's page position in the
// pointer pane. The cursor is handed to the host only when it changes.

#include "chartview/ControllerHost.h"
#include "chartview/CursorRole.h"
#include "chartview/HitTester.h"
#include "document/ChartRecords.h"

namespace plume::chartview {

class PointerFeedback {
 public:
  explicit PointerFeedback(ControllerHost& host) : host_(host) {}

  /// Sets `role` unless it is the cursor set last; the arrow lets the mouse
  /// go, any other role holds it.
  void SetCursor(CursorRole role);
  /// Sets `role` even when it is the cursor set last (after a drag).
  void ResetCursor(CursorRole role);
  /// "x, y" of `page` (page units) in the pointer pane, empty when the point
  /// is off `record`.
  void ShowPosition(platform::Point page, const document::PageRecord& record);
  /// The size and limits of `record` as the tooltip while the pointer is on
  /// its `edge`; the tooltip is cleared when the pointer leaves the edges.
  void ShowEdge(PageEdge edge, const document::PageRecord& record);

 private:
  ControllerHost& host_;
  int tooltipEdge_ = 0;
  bool cursorKnown_ = false;
  CursorRole cursor_ = CursorRole::Arrow;
};

}  // namespace plume::chartview
