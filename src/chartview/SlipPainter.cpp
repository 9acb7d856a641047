#include "chartview/SlipPainter.h"

#include "chartview/CanvasText.h"
#include "chartview/CoordinateMapping.h"
#include "chartview/ItemBox.h"
#include "chartview/ItemFont.h"
#include "platform/Cp932.h"

namespace plume::chartview {

using document::kNoColor;
using platform::Brush;
using platform::IntRect;
using platform::Pen;

void SlipPainter::DrawSlips(int pageIndex) {
  const std::uint16_t pageId = doc_.pages[pageIndex].pageId;
  for (int i = 0; i < doc_.slipCount; ++i) {
    const document::SlipRecord& slip = doc_.slips[i];
    if (slip.pageId != pageId || params_.editTarget == -(i + 1)) continue;
    DrawSlip(i);
  }
}

void SlipPainter::DrawSlip(int index) {
  const document::SlipRecord& slip = doc_.slips[index];
  const document::ItemStyle& st = slip.style;
  const auto [lineWidth, zoomed, box] = Zoom(slip.rect, st);
  if (!box.Inflated(SelectionReach(lineWidth)).Intersects(visible_)) return;

  const bool selected = slip.selected != 0;
  const bool focused = index == doc_.focusedSlip;
  if (selected) DrawSelectionHalo(canvas_, box, lineWidth, focused);

  const Pen frame = st.refWaku == kNoColor ? Pen::None() : Pen::Solid(st.refWaku, lineWidth);
  const bool square = st.Round != 0;
  constexpr int kCorner = 15;
  if (st.refMen == kNoColor) {
    if (st.Futosa > 0) DrawMaskedBox(canvas_, box, square, kCorner, frame);
  } else {
    DrawBoxShape(canvas_, box, square, kCorner, frame, Brush::Solid(st.refMen));
  }
  if (selected) DrawHandles(canvas_, box, lineWidth, focused);

  const int margin = ZoomLength(st.Yohaku, params_.zoom);
  canvas_.DrawText(zoomed.Inflated(-margin), ToCanvasText(platform::FieldText(slip.slipText)),
                   SelectItemFont(st, params_.zoom, canvas_), st.refText,
                   AlignFlags(st.AlineH) | (st.Wrap ? platform::text::kWordBreak : 0u));
}

}  // namespace plume::chartview
