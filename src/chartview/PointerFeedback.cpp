#include "chartview/PointerFeedback.h"

#include <cstdio>

#include "chartview/PageResizer.h"

namespace plume::chartview {

void PointerFeedback::SetCursor(CursorRole role) {
  if (cursorKnown_ && cursor_ == role) return;
  cursorKnown_ = true;
  cursor_ = role;
  host_.SetCursor(role);
  if (role == CursorRole::Arrow)
    host_.ReleaseMouse();
  else
    host_.CaptureMouse();
}

void PointerFeedback::ResetCursor(CursorRole role) {
  cursorKnown_ = false;
  SetCursor(role);
}

void PointerFeedback::ShowPosition(platform::Point page, const document::PageRecord& record) {
  if (page.x >= 0 && page.y >= 0 && page.x < record.pageWidth && page.y < record.pageHeight) {
    char text[32];
    std::snprintf(text, sizeof text, "%d, %d", page.x, page.y);
    host_.SetPointerPane(text);
  } else {
    host_.SetPointerPane({});
  }
}

void PointerFeedback::ShowEdge(PageEdge edge, const document::PageRecord& record) {
  const int code = static_cast<int>(edge);
  if (code == tooltipEdge_ && edge == PageEdge::None) return;
  tooltipEdge_ = code;
  char text[64];
  if (edge == PageEdge::Right)
    std::snprintf(text, sizeof text, "Width=%d\nmin:%d  max:%d", record.pageWidth, PageResizer::kMinSize,
                  PageResizer::kMaxSize);
  else if (edge == PageEdge::Bottom)
    std::snprintf(text, sizeof text, "Height=%d\nmin:%d  max:%d", record.pageHeight, PageResizer::kMinSize,
                  PageResizer::kMaxSize);
  else
    text[0] = '\0';
  host_.SetTooltip(text);
}

}  // namespace plume::chartview
