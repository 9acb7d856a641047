#include "chartview/DefaultSize.h"

#include <algorithm>
#include <cstdint>

namespace plume::chartview {

namespace {

// A coordinate computed in 64 bits, kept within the 32-bit range.
std::int32_t Clamped(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

bool GiveDefaultSize(document::ChartDocument& doc, document::Rect& rect, int width, int height, int pageIndex) {
  // Rectangles come from files: their extent is computed in 64 bits, as any
  // 32-bit difference from one end of the range to the other would overflow.
  if (std::int64_t{rect.right} - rect.left >= 2) return false;
  const document::Rect grown{Clamped(std::int64_t{rect.left} - width / 2), Clamped(std::int64_t{rect.top} - height / 2),
                             Clamped(std::int64_t{rect.right} + width / 2),
                             Clamped(std::int64_t{rect.bottom} + height / 2)};
  // The document fits into its current page; the item's own page may be
  // another one when a page other than the current one is printed.
  const auto current = doc.header.currentPage;
  doc.header.currentPage = static_cast<std::uint16_t>(pageIndex);
  rect = doc.FitIntoPage(grown);
  doc.header.currentPage = current;
  return true;
}

}  // namespace plume::chartview
