#include "chartview/DefaultSize.h"

namespace plume::chartview {

bool GiveDefaultSize(document::ChartDocument& doc, document::Rect& rect, int width, int height, int pageIndex) {
  if (rect.Width() >= 2) return false;
  const document::Rect grown{rect.left - width / 2, rect.top - height / 2, rect.right + width / 2,
                             rect.bottom + height / 2};
  // The document fits into its current page; the item's own page may be
  // another one when a page other than the current one is printed.
  const auto current = doc.header.currentPage;
  doc.header.currentPage = static_cast<std::uint16_t>(pageIndex);
  rect = doc.FitIntoPage(grown);
  doc.header.currentPage = current;
  return true;
}

}  // namespace plume::chartview
