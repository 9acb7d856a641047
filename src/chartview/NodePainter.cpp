#include "chartview/NodePainter.h"

#include <algorithm>

#include "chartview/CanvasText.h"
#include "chartview/CoordinateMapping.h"
#include "chartview/DialRing.h"
#include "chartview/ItemBox.h"
#include "chartview/ItemFont.h"
#include "platform/Cp932.h"

namespace plume::chartview {

using document::kNoColor;
using platform::Brush;
using platform::IntRect;
using platform::Pen;

void NodePainter::DrawNodes(int pageIndex, std::vector<std::pair<int, document::Rect>>* titleRects) {
  const std::uint16_t pageId = doc_.pages[pageIndex].pageId;
  for (int i = 0; i < doc_.nodeCount; ++i) {
    if (doc_.nodes[i].pageId != pageId) continue;
    const IntRect title = DrawNode(i, pageId);
    if (titleRects) titleRects->emplace_back(i, ToRect(title));
  }
}

IntRect NodePainter::DrawNode(int index, std::uint16_t pageId) {
  const document::NodeRecord& node = doc_.nodes[index];
  const auto [lineWidth, zoomed, box] = Zoom(node.rect, node.style);
  const bool editing = params_.editTarget == index + 1;

  // Items wholly outside the target are measured but not drawn.
  const IntRect title = DrawTitle(index, zoomed, false);
  const IntRect reach = box.Inflated(SelectionReach(lineWidth));
  const bool visible = reach.Intersects(visible_) || (!title.IsEmpty() && title.Intersects(visible_));

  if (visible && !editing) DrawBox(index, box, lineWidth);
  if (visible && node.hasImage) DrawPicture(index, zoomed);

  // The dial ring and the handles go under the title, which stays readable.
  if (index == doc_.focusedNode && HasArcOnPage(index, pageId)) {
    const document::Rect& r = node.rect;
    const platform::Point centre{ZoomLength((r.left + r.right) / 2, params_.zoom),
                                 ZoomLength((r.top + r.bottom) / 2, params_.zoom)};
    DrawDialRing(canvas_, centre, doc_.header.dialRadius);
  }
  return visible && !editing ? DrawTitle(index, zoomed, true) : title;
}

void NodePainter::DrawBox(int index, const IntRect& box, int lineWidth) {
  const document::NodeRecord& node = doc_.nodes[index];
  const document::ItemStyle& st = node.style;
  const bool selected = doc_.nodeStates[index].selected != 0;
  const bool focused = index == doc_.focusedNode;
  if (selected) DrawSelectionHalo(canvas_, box, lineWidth, focused);

  const Pen frame = Pen::Solid(st.refWaku, lineWidth);
  const bool square = st.Round != 0;
  constexpr int kCorner = 5;
  if (st.refMen == kNoColor) {
    if (st.refWaku != kNoColor) DrawMaskedBox(canvas_, box, square, kCorner, frame);
  } else {
    DrawBoxShape(canvas_, box, square, kCorner, st.refWaku == kNoColor ? Pen::None() : frame,
                 Brush::Solid(st.refMen));
  }
  if (selected) DrawHandles(canvas_, box, lineWidth, focused);
}

void NodePainter::DrawPicture(int index, const IntRect& zoomed) {
  const document::NodeRecord& node = doc_.nodes[index];
  const platform::Picture* picture = doc_.NodePicture(index);
  if (!picture) {
    // A picture this program cannot draw (a metafile, say) keeps its bytes:
    // a grey frame with its diagonals marks its place.
    if (doc_.pictures.Undecoded(node.image)) {
      const platform::Pen grey = platform::Pen::Solid(0x00A0A0A0);
      canvas_.FrameRect(zoomed, 0x00A0A0A0);
      canvas_.Line({zoomed.left, zoomed.top}, {zoomed.right - 1, zoomed.bottom - 1}, grey);
      canvas_.Line({zoomed.left, zoomed.bottom - 1}, {zoomed.right - 1, zoomed.top}, grey);
    }
    return;
  }
  const platform::Size natural{picture->Width(), picture->Height()};
  platform::Canvas* scratch = params_.scratch ? params_.scratch->Reset(canvas_, natural) : nullptr;
  if (!scratch) return;  // left out of this paint only
  const IntRect whole{0, 0, natural.cx, natural.cy};
  // A picture that cannot be rendered was taken from its node by PreparePage.
  if (!scratch->DrawPicture(*picture, whole, platform::kNoCanvasColor)) return;
  canvas_.CopyFrom(*scratch, whole, zoomed, node.transColor);
  if (node.style.refWaku != kNoColor) canvas_.FrameRect(zoomed, node.style.refWaku);
}

IntRect NodePainter::DrawTitle(int index, const IntRect& zoomed, bool draw) {
  const document::NodeRecord& node = doc_.nodes[index];
  const document::ItemStyle& st = node.style;
  if (params_.editTarget == index + 1) return {};
  const int margin = ZoomLength(st.Yohaku, params_.zoom);
  const unsigned align = AlignFlags(st.AlineH);

  if (!node.hasImage) {
    const IntRect inner = zoomed.Inflated(-margin);
    if (draw)
      canvas_.DrawText(inner, ToCanvasText(platform::FieldText(node.title)),
                       SelectItemFont(st, params_.zoom, canvas_), st.refText,
                       align | (st.Wrap ? platform::text::kWordBreak : 0u));
    return inner;
  }
  if (node.titlePos != 1 && node.titlePos != 2) return {};
  const platform::FontSpec font = SelectItemFont(st, params_.zoom, canvas_);
  const int h = canvas_.TextExtent("Dummy", font).cy;
  IntRect line = node.titlePos == 1
                     ? IntRect{zoomed.left, zoomed.top - h - margin, zoomed.right, zoomed.top - margin}
                     : IntRect{zoomed.left, zoomed.bottom + margin, zoomed.right, zoomed.bottom + h + margin};
  if (draw)
    canvas_.DrawText(line, ToCanvasText(platform::FieldText(node.title)), font, st.refText,
                     align | platform::text::kSingleLine | platform::text::kEndEllipsis);
  line.bottom += margin;
  return line;
}

bool NodePainter::HasArcOnPage(int index, std::uint16_t pageId) const {
  const std::int32_t id = doc_.nodes[index].nodeId;
  for (int a = 0; a < doc_.arcCount; ++a) {
    const document::ArcRecord& arc = doc_.arcs[a];
    if (arc.fromNode != id && arc.toNode != id) continue;
    const std::int32_t other = arc.fromNode == id ? arc.toNode : arc.fromNode;
    const int j = doc_.NodeIndexOf(other);
    if (j >= 0 && doc_.nodes[j].pageId == pageId) return true;
  }
  return false;
}

}  // namespace plume::chartview
