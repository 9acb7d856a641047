#include "chartview/ViewController.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "chartview/ArcDrop.h"
#include "chartview/ContextMenus.h"
#include "chartview/CoordinateMapping.h"
#include "chartview/ItemMover.h"
#include "chartview/ViewKeyCommand.h"
#include "platform/Messages.h"

namespace plume::chartview {

using platform::IntRect;
using platform::Point;

namespace {

Point Centre(const IntRect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

IntRect Normalised(Point a, Point b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

}  // namespace

ViewController::ViewController(ChartView& view, ControllerHost& host, ConsolePort* console, EditingPort* editing)
    : view_(view),
      doc_(view.Document()),
      host_(host),
      console_(console ? *console : defaultConsole_),
      editing_(editing ? *editing : defaultEditing_),
      selection_(view.Document()),
      pointer_(host) {}

Point ViewController::ToScreen(Point client) const {
  return {client.x + view_.Scroll().x, client.y + view_.Scroll().y};
}

Point ViewController::ToPage(Point screen) const { return ScreenToPage(screen, view_.Zoom()); }

Point ViewController::ToClient(Point screen) const { return ScreenToClient(screen, view_.Scroll()); }

IntRect ViewController::ScreenRectOf(ItemKind kind, int index) const {
  return PageToScreen(doc_.ItemRect(kind, index), view_.Zoom());
}

void ViewController::StopAnimation() {
  if (hoverItem_ < 0) return;
  hoverItem_ = -1;
  host_.StopTimer(kAnimationTimer);
}

ViewController::HoverItem ViewController::AnimationTarget(Point client) {
  HoverItem target;
  if (doc_.header.pageCount > 0 && dragMode_ == DragMode::None) {
    const Point page = ToPage(ToScreen(client));
    const HitTester hits = Hits();
    target = {ItemKind::Slips, hits.HitSlip(page)};
    if (target.index < 0) target = {ItemKind::Nodes, hits.HitNode(page).index};
    if (target.index >= 0 && doc_.ItemSelected(target.kind, target.index)) target.index = -1;
  }
  hoverKind_ = target.kind;
  hoverItem_ = target.index;
  return target;
}

void ViewController::StartSizing(DragMode mode, int handle, Point screen) {
  dragMode_ = mode;
  handleIndex_ = handle;
  pressPoint_ = screen;
  host_.CaptureMouse();
  editing_.SizingBegin(mode, handle, screen);
}

void ViewController::StartMove(ItemKind kind, Point screen) {
  const int focus = selection_.Focus(kind);
  if (focus < 0) return;
  dragMode_ = kind == ItemKind::Nodes ? DragMode::MoveNodes : DragMode::MoveSlips;
  pressPoint_ = screen;
  const Point c = Centre(ScreenRectOf(kind, focus));
  grabOffset_ = {screen.x - c.x, screen.y - c.y};
  markerLatch_ = false;
  pointer_.ResetCursor(CursorRole::Move);
}

void ViewController::LeftButtonDown(const MouseEvent& e) {
  const Point p = ToScreen(e.point);
  const Point q = ToPage(p);
  if (editing_.EditorOpen()) {
    const int handle = editing_.EditorHandleAt(e.point);
    if (handle >= 0) {
      editing_.BeginEditorHandleDrag(handle, e.point);
    } else {
      editing_.CommitEditor();
      selection_.ClearAll();
    }
    return;
  }
  StopAnimation();
  if (console_.LeftDown(e.point)) return;
  if (doc_.header.pageCount == 0) return;
  const HitTester hits = Hits();

  if (const HandleHit h = hits.HitHandle(ItemKind::Slips, q); h.item >= 0) {
    StartSizing(DragMode::ResizeSlips, h.handle, p);
    if (doc_.focusedSlip != h.item) {
      doc_.focusedSlip = h.item;
      doc_.Changes().FocusChanged();
    }
  } else if (const int slip = hits.HitSlip(q); slip >= 0) {
    if (selection_.Click(ItemKind::Slips, slip, e.flags)) StartMove(ItemKind::Slips, p);
  } else if (pickArmed_) {
    pickArmed_ = false;
    host_.SetStatusText({});
    const NodeHit hit = hits.HitNode(q);
    if (doc_.focusedNode >= 0 && doc_.focusedNode < doc_.nodeCount && hit.index >= 0 && !hit.onTitle) {
      document::NodeRecord& focused = doc_.nodes[doc_.focusedNode];
      const document::ColorRef colour = host_.PixelAt(e.point);
      if (focused.transColor != document::kNoColor && colour == focused.style.refMen) {
        platform::ShowMessage(platform::StringId::PickedColorIsBackground, {}, platform::MsgIcon::Information);
      } else {
        focused.transColor = colour;
        doc_.Changes().RequestRepaint();
        doc_.CommitEdit(document::EditStep::TransparentColour);
      }
    }
  } else if (editing_.DialKnobHit(p)) {
    StartSizing(DragMode::DialRadius, -1, p);
  } else if (editing_.DialRingHit(p)) {
    StartSizing(DragMode::DialTurn, -1, p);
  } else if (const HandleHit nh = hits.HitHandle(ItemKind::Nodes, q); nh.item >= 0) {
    StartSizing(DragMode::ResizeNodes, nh.handle, p);
    if (doc_.focusedNode != nh.item) {
      doc_.focusedNode = nh.item;
      doc_.Changes().FocusChanged();
    }
  } else if (const NodeHit node = hits.HitNode(q); node.index >= 0) {
    if (selection_.Click(ItemKind::Nodes, node.index, e.flags)) StartMove(ItemKind::Nodes, p);
  } else if (const LinkMarker* marker = HitTester::HitMarker(view_.LinkMarkers(), p)) {
    const LinkMarker m = *marker;  // the list is rebuilt by the repaint of the switch
    FollowMarker(m);
  } else if (const PageEdge edge = hits.HitPageEdge(q); edge != PageEdge::None) {
    StartSizing(edge == PageEdge::Right ? DragMode::PageWidth : DragMode::PageHeight, -1, p);
  } else {
    dragMode_ = DragMode::RubberBand;
    pressPoint_ = p;
    host_.CaptureMouse();
    selection_.ClearAll();
  }
  AfterLeftClick();
}

void ViewController::AfterLeftClick() {
  if (console_.ClickElsewhere()) doc_.Changes().RequestRepaint();
}

void ViewController::LeftButtonUp(const MouseEvent& e) {
  if (console_.Dragging()) {
    console_.LeftUp(e.point);
    return;
  }
  const DragMode mode = dragMode_;
  if (mode == DragMode::None) return;
  host_.EraseFeedback();
  dragMode_ = DragMode::None;
  const Point r = ToScreen(e.point);
  switch (mode) {
    case DragMode::MoveNodes: EndNodeMove(r); break;
    case DragMode::MoveSlips: {
      const int over = Hits().HitSlip(ToPage(r));
      if (over < 0 || selection_.Selected(ItemKind::Slips, over)) Drop(ItemKind::Slips, r);
      break;
    }
    case DragMode::RubberBand: EndRubberBand(r); break;
    default: editing_.SizingEnd(mode, r); break;
  }
  pointer_.ResetCursor(CursorRole::Arrow);
}

void ViewController::EndNodeMove(Point r) {
  const NodeHit over = Hits().HitNode(ToPage(r));
  if (over.index >= 0 && !selection_.Selected(ItemKind::Nodes, over.index)) {
    ArcDrop::Apply(doc_, over.index);
    doc_.Changes().RequestRepaint();
    doc_.CommitEdit(document::EditStep::Arcs);
    return;
  }
  Drop(ItemKind::Nodes, r);
}

void ViewController::Drop(ItemKind kind, Point r) {
  const int focus = selection_.Focus(kind);
  if (focus < 0 || focus >= doc_.ItemCount(kind)) return;
  const Point c = Centre(ScreenRectOf(kind, focus));
  const int dx = r.x - grabOffset_.x - c.x;
  const int dy = r.y - grabOffset_.y - c.y;
  if (kind == ItemKind::Nodes) {
    if (std::abs(dx) < kNodeDropThreshold && std::abs(dy) < kNodeDropThreshold) return;
  } else if (std::abs(dx) <= kSlipDropThreshold && std::abs(dy) <= kSlipDropThreshold) {
    return;
  }
  MoveSelected(kind, dx, dy);
}

void ViewController::MoveSelected(ItemKind kind, int dx, int dy) {
  const float z = view_.Zoom();
  ItemMover(doc_, z).MoveSelected(kind, ItemMover::ToPageDelta(dx, z), ItemMover::ToPageDelta(dy, z));
  doc_.Changes().RequestRepaint();
  doc_.CommitEdit(document::EditStep::Move);
}

void ViewController::EndRubberBand(Point r) {
  host_.ReleaseMouse();
  rubberRect_ = Normalised(pressPoint_, r);
  rubberKinds_ = 0;
  if (rubberRect_.Width() <= kBandMinimum || rubberRect_.Height() <= kBandMinimum) return;
  rubberKinds_ = selection_.CaughtKinds(rubberRect_, view_.Zoom());
  if (rubberKinds_ == 1) {
    SelectInRect(ItemKind::Nodes);
  } else if (rubberKinds_ == 2) {
    SelectInRect(ItemKind::Slips);
  } else if (rubberKinds_ == 3) {
    const int chosen = host_.ShowContextMenu(ContextMenus::Sel(rubberKinds_), ToClient(r));
    if (chosen == ContextMenus::kCmdSelectNodesInBand) SelectInRect(ItemKind::Nodes);
    if (chosen == ContextMenus::kCmdSelectSlipsInBand) SelectInRect(ItemKind::Slips);
  }
}

void ViewController::SelectInRect(ItemKind kind) {
  selection_.SelectInRect(kind, rubberRect_, view_.Zoom());
  const Point a = ToClient({rubberRect_.left, rubberRect_.top});
  host_.RepaintRect({a.x, a.y, a.x + rubberRect_.Width(), a.y + rubberRect_.Height()});
}

void ViewController::LeftDoubleClick(const MouseEvent& e) {
  if (console_.DoubleClick(e.point)) return;
  editing_.DoubleClick(e.point);
}

void ViewController::MouseMove(const MouseEvent& e) {
  host_.TakeFocus();
  if (console_.Dragging()) {
    console_.DragTo(e.point);
    return;
  }
  if (doc_.header.pageCount == 0) {
    // A document without pages (a damaged state) has nothing to hit or
    // size; the console still answers the pointer, so a hidden one can show.
    host_.SetPointerPane({});
    if (dragMode_ == DragMode::None) HoverConsole(e.point);
    return;
  }
  const Point screen = ToScreen(e.point);
  const Point q = ToPage(screen);
  pointer_.ShowPosition(q, doc_.CurrentPage());
  pointer_.ShowEdge(Hits().HitPageEdge(q), doc_.CurrentPage());
  switch (dragMode_) {
    case DragMode::None: Hover(e.point, screen); break;
    case DragMode::MoveNodes:
    case DragMode::MoveSlips: TrackMove(e, screen); break;
    case DragMode::RubberBand:
      host_.DrawFeedback(FeedbackShape::Band, Normalised(ToClient(pressPoint_), e.point));
      break;
    default: editing_.SizingMove(dragMode_, screen); break;
  }
}

void ViewController::TrackMove(const MouseEvent& e, Point screen) {
  const ItemKind kind = dragMode_ == DragMode::MoveNodes ? ItemKind::Nodes : ItemKind::Slips;
  if (CrossPages(e, screen)) return;
  const int focus = selection_.Focus(kind);
  if (focus < 0) return;
  const float z = view_.Zoom();
  const Point c = Centre(ScreenRectOf(kind, focus));
  const int dx = ItemMover::ToPageDelta(screen.x - grabOffset_.x - c.x, z);
  const int dy = ItemMover::ToPageDelta(screen.y - grabOffset_.y - c.y, z);
  const IntRect outline = PageToScreen(ItemMover(doc_, z).MovedOutline(kind, focus, dx, dy), z);
  const Point a = ToClient({outline.left, outline.top});
  host_.DrawFeedback(FeedbackShape::Outline, {a.x, a.y, a.x + outline.Width(), a.y + outline.Height()});
  const Point q = ToPage(screen);
  const document::PageRecord& page = doc_.CurrentPage();
  const bool inside = screen.x >= 0 && screen.y >= 0 && q.x < page.pageWidth && q.y < page.pageHeight;
  pointer_.SetCursor(inside ? CursorRole::Move : CursorRole::NotHere);
}

bool ViewController::CrossPages(const MouseEvent& e, Point screen) {
  const int tab = host_.TabAt(e.global);
  if (tab >= 0 && tab < doc_.header.pageCount && tab != doc_.header.currentPage) {
    host_.EraseFeedback();
    doc_.CurrentPage().scrollX = view_.Scroll().x;
    doc_.CurrentPage().scrollY = view_.Scroll().y;
    doc_.header.currentPage = static_cast<std::uint16_t>(tab);
    view_.SetScroll({doc_.CurrentPage().scrollX, doc_.CurrentPage().scrollY});
    host_.PageShown();
    return true;
  }
  const LinkMarker* marker = HitTester::HitMarker(view_.LinkMarkers(), screen);
  if (!marker) {
    markerLatch_ = false;
    return false;
  }
  if (markerLatch_) return false;
  markerLatch_ = true;
  host_.EraseFeedback();
  const LinkMarker m = *marker;
  FollowMarker(m);
  return true;
}

void ViewController::FollowMarker(const LinkMarker& marker) {
  const std::uint16_t here = doc_.CurrentPage().pageId;
  const std::uint16_t other = here == marker.fromPageId ? marker.toPageId : marker.fromPageId;
  ShowPage(std::max(doc_.PageIndexOf(other), 0));
}

void ViewController::ShowPage(int index) {
  // The view stays where it is: the target page takes the current scroll.
  document::PageRecord& target = doc_.pages[index];
  target.scrollX = view_.Scroll().x;
  target.scrollY = view_.Scroll().y;
  doc_.header.currentPage = static_cast<std::uint16_t>(index);
  const bool moving = dragMode_ == DragMode::MoveNodes || dragMode_ == DragMode::MoveSlips;
  if (!moving) {
    doc_.ClearSelection();
    doc_.Changes().FocusChanged();
  }
  host_.PageShown();
}

void ViewController::Hover(Point client, Point screen) {
  const int band = host_.TabBandHeight();
  if (band > 0 && client.y >= view_.ClientSize().cy - band) {
    pointer_.SetCursor(CursorRole::Arrow);
    return;
  }
  if (editing_.EditorOpen()) {
    // The next click only commits the editor or grabs one of its box handles.
    const int handle = editing_.EditorHandleAt(client);
    return pointer_.SetCursor(handle >= 0 ? HandleCursor(handle) : CursorRole::Arrow);
  }
  if (pickArmed_) {
    HoverPick(client, screen);
    return;
  }
  if (HoverConsole(client)) return;
  const Point q = ToPage(screen);
  const HitTester hits = Hits();
  if (const HandleHit h = hits.HitHandle(ItemKind::Slips, q); h.item >= 0)
    return pointer_.SetCursor(HandleCursor(h.handle));
  if (const int slip = hits.HitSlip(q); slip >= 0)
    return pointer_.SetCursor(doc_.slips[slip].selected ? CursorRole::Move : CursorRole::Slip);
  if (editing_.DialKnobHit(screen)) return pointer_.SetCursor(CursorRole::DialKnob);
  if (editing_.DialRingHit(screen)) return pointer_.SetCursor(CursorRole::Dial);
  if (const HandleHit h = hits.HitHandle(ItemKind::Nodes, q); h.item >= 0)
    return pointer_.SetCursor(HandleCursor(h.handle));
  if (const NodeHit node = hits.HitNode(q); node.index >= 0)
    return pointer_.SetCursor(doc_.nodeStates[node.index].selected ? CursorRole::Move : CursorRole::Node);
  if (HitTester::HitMarker(view_.LinkMarkers(), screen)) return pointer_.SetCursor(CursorRole::Link);
  switch (hits.HitPageEdge(q)) {
    case PageEdge::Right: return pointer_.SetCursor(CursorRole::PageRightEdge);
    case PageEdge::Bottom: return pointer_.SetCursor(CursorRole::PageBottomEdge);
    case PageEdge::None: break;
  }
  pointer_.SetCursor(CursorRole::Arrow);
}

bool ViewController::HoverConsole(Point client) {
  if (console_.RingHit(client)) {
    pointer_.SetCursor(CursorRole::Dial);
    return true;
  }
  if (console_.HitTest(client, true) >= 0) {
    pointer_.SetCursor(CursorRole::Arrow);
    return true;
  }
  return false;
}

void ViewController::HoverPick(Point client, Point screen) {
  const NodeHit node = Hits().HitNode(ToPage(screen));
  if (node.index < 0 || node.onTitle) {
    pointer_.SetCursor(CursorRole::Arrow);
    return;
  }
  pointer_.SetCursor(CursorRole::Pick);
  const document::ColorRef c = host_.PixelAt(client);
  char text[40];
  std::snprintf(text, sizeof text, "RGB(%d, %d, %d)", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  host_.SetStatusText(text);
}

void ViewController::RightButtonUp(const MouseEvent& e) {
  StopAnimation();
  if (dragMode_ == DragMode::MoveNodes || dragMode_ == DragMode::MoveSlips) {
    host_.EraseFeedback();
    dragMode_ = DragMode::None;
    pointer_.ResetCursor(CursorRole::Arrow);
    return;
  }
  const Point p = ToScreen(e.point);
  menuPoint_ = p;
  if (doc_.header.pageCount == 0) return;
  const Point q = ToPage(p);
  const HitTester hits = Hits();
  const MenuFacts facts = host_.QueryMenuFacts();
  ContextMenu menu;
  if (console_.HitTest(e.point, false) >= 0) {
    menu = ContextMenus::Zoom(facts);
  } else if (const int slip = hits.HitSlip(q); slip >= 0) {
    selection_.FocusForMenu(ItemKind::Slips, slip);
    menu = ContextMenus::Slip(doc_);
  } else if (const NodeHit node = hits.HitNode(q); node.index >= 0) {
    selection_.FocusForMenu(ItemKind::Nodes, node.index);
    menu = ContextMenus::Node(doc_, node.index);
  } else {
    doc_.ClearSelection();
    doc_.Changes().FocusChanged();
    menu = ContextMenus::View(doc_, facts);
  }
  doc_.Changes().RequestRepaint();
  const int command = host_.ShowContextMenu(menu, e.point);
  if (command != 0) host_.RunCommand(command);
}

bool ViewController::NudgesOnCtrlArrow() const {
  return doc_.header.pageCount > 0 && (doc_.focusedNode >= 0 || doc_.focusedSlip >= 0);
}

bool ViewController::KeyDown(const KeyEvent& e) {
  const int step = e.ctrl ? kFineKeyStep : kKeyStep;
  int dx = 0, dy = 0;
  switch (e.key) {
    case Key::Left: dx = -step; break;
    case Key::Right: dx = step; break;
    case Key::Up: dy = -step; break;
    case Key::Down: dy = step; break;
    case Key::Delete:
      if (doc_.focusedNode >= 0)
        host_.RunCommand(kCmdDeleteNodes);
      else if (doc_.focusedSlip >= 0)
        host_.RunCommand(kCmdDeleteSlips);
      return true;
    case Key::A:
    case Key::W:
    case Key::C:
    case Key::E:
    case Key::V:
      if (const int command = ViewKeyCommand::Find(e.key, e.ctrl); command != 0) {
        host_.RunCommand(command);
        return true;
      }
      return false;
    case Key::Other: return false;
  }
  if (doc_.header.pageCount == 0) return true;
  if (doc_.focusedNode >= 0) MoveSelected(ItemKind::Nodes, dx, dy);
  if (doc_.focusedSlip >= 0) MoveSelected(ItemKind::Slips, dx, dy);
  return true;
}

void ViewController::Wheel(const WheelEvent& e) {
  StopAnimation();
  const int k = e.flags;
  int step = 10;
  if (k == mouse::kCtrl || k == (mouse::kCtrl | mouse::kShift)) step = 1;
  if (k == (mouse::kCtrl | mouse::kShift)) step = -1;
  if (k == mouse::kRight) step = -10;
  if (e.forward) step = -step;
  if (console_.WheelOnRing(e.point)) {
    console_.WheelZoom(step);
    return;
  }
  if (!host_.CanScrollVertically()) return;
  if (k == mouse::kShift || k == (mouse::kCtrl | mouse::kShift) || k == mouse::kRight)
    host_.ScrollBy(step, 0);
  else
    host_.ScrollBy(0, step);
}

void ViewController::Timer(int id) {
  if (id == kAnimationTimer && hoverItem_ < 0) host_.StopTimer(id);
}

}  // namespace plume::chartview
