#pragma once
// The page size rules of the view properties dialog: the values typed into
// its two spin edits (thousands separators allowed) are kept within
// 500..5000, and a page is never made smaller than the items on it.

#include <string_view>

#include "chartview/PageResizer.h"
#include "document/ChartDocument.h"
#include "platform/CanvasTypes.h"

namespace plume::chartview {

class ViewProperties {
 public:
  static constexpr int kMinSize = PageResizer::kMinSize;
  static constexpr int kMaxSize = PageResizer::kMaxSize;

  /// The value of a spin edit's text: commas removed, the leading digits
  /// read (0 without any), then clamped to 500..5000.
  static int ParseSize(std::string_view text);
  /// The right and bottom edges (page units) of the union of the screen
  /// extents of the current page's items (rectangles grown by half the frame
  /// width, node titles as last drawn), divided by `zoom` and truncated;
  /// 0 x 0 for an empty page.
  static platform::Size ItemExtent(const document::ChartDocument& doc, float zoom);
  /// The dialog's OK: nothing when both values equal the current page size.
  /// When either is smaller, both are first raised to the item extent. True
  /// when the page size was set.
  static bool Apply(document::ChartDocument& doc, int width, int height, float zoom);
};

}  // namespace plume::chartview
