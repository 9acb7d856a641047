#include "chartview/EditingController.h"

#include <string>

#include "chartview/CoordinateMapping.h"
#include "chartview/DialTurner.h"
#include "chartview/HitTester.h"
#include "chartview/ItemResizer.h"
#include "chartview/NodePictureReloader.h"
#include "chartview/PageResizer.h"
#include "platform/Messages.h"
#include "platform/SettingsTable.h"

namespace plume::chartview {

using platform::IntRect;
using platform::Point;

EditingController::EditingController(ChartView& view, ControllerHost& host, platform::SettingsStore& settings,
                                     InlineEditorHost* box, MaterialAccess* materials, document::PictureLoader* loader)
    : view_(view),
      doc_(view.Document()),
      host_(host),
      settings_(settings),
      materials_(materials ? materials : &noMaterials_),
      loader_(loader ? loader : &noLoader_),
      editor_(view, box),
      rearranging_(doc_.Changes().Subscribe([this](document::Change change) {
        if (change == document::Change::Rearranging) editor_.Commit();
      })) {}

void EditingController::SetEditorHost(InlineEditorHost* box) {
  editor_.Discard();
  editor_.SetHost(box);
}

bool EditingController::InsidePage(Point screen) const {
  const document::PageRecord& page = doc_.CurrentPage();
  const float z = view_.Zoom();
  return screen.x >= 0 && screen.y >= 0 && screen.x < ZoomLength(page.pageWidth, z) &&
         screen.y < ZoomLength(page.pageHeight, z);
}

void EditingController::ShowFeedback(const IntRect& screen, int width) {
  const Point s = view_.Scroll();
  const IntRect client{screen.left - s.x, screen.top - s.y, screen.right - s.x, screen.bottom - s.y};
  if (feedbackFrame)
    feedbackFrame(client, kFeedbackColour, width);
  else
    host_.DrawFeedback(FeedbackShape::Outline, client);
}

void EditingController::ShowSizeLabel(bool width, Point screen, int size) {
  const document::PageRecord& page = doc_.CurrentPage();
  const float z = view_.Zoom();
  const bool room = width ? screen.y <= ZoomLength(page.pageHeight, z) - kSizeLabelRoom
                          : screen.x <= ZoomLength(page.pageWidth, z) - kSizeLabelRoom;
  const Point s = view_.Scroll();
  host_.SetFeedbackLabel(room ? std::to_string(size) : std::string(),
                         {screen.x - s.x + kSizeLabelOffset, screen.y - s.y + kSizeLabelOffset});
}

// ---- sizing drags -------------------------------------------------------

bool EditingController::DialKnobHit(Point screen) {
  return doc_.header.pageCount > 0 && DialTurner(doc_, view_.Zoom()).KnobHit(screen);
}

bool EditingController::DialRingHit(Point screen) {
  return doc_.header.pageCount > 0 && DialTurner(doc_, view_.Zoom()).RingHit(screen);
}

void EditingController::SizingBegin(DragMode mode, int handle, Point screen) {
  (void)mode;
  handle_ = handle;
  pressPoint_ = screen;
  moved_ = false;
  resizeRect_ = {};
}

void EditingController::SizingMove(DragMode mode, Point screen) {
  if (doc_.header.pageCount == 0) return;
  const float z = view_.Zoom();
  switch (mode) {
    case DragMode::ResizeNodes:
    case DragMode::ResizeSlips: TrackResize(mode, screen); break;
    case DragMode::PageWidth:
    case DragMode::PageHeight: {
      const bool width = mode == DragMode::PageWidth;
      const int at = width ? screen.x : screen.y;
      const PageResizer resizer(doc_, z);
      ShowSizeLabel(width, screen, resizer.SizeAt(width, at));
      // A frame half the bar wide on each side fills the bar.
      ShowFeedback(resizer.Bar(width, at), PageResizer::kBarWidth / 2);
      break;
    }
    case DragMode::DialRadius:
      DialTurner(doc_, z).SetRadiusFrom(screen);
      doc_.Changes().RequestRepaint();
      doc_.Changes().MarkModified();
      break;
    case DragMode::DialTurn:
      host_.SetCursor(DialTurner(doc_, z).RingHit(screen) ? CursorRole::Move : CursorRole::NotHere);
      break;
    default: break;
  }
}

void EditingController::TrackResize(DragMode mode, Point screen) {
  const bool nodes = mode == DragMode::ResizeNodes;
  const int focus = nodes ? doc_.focusedNode : doc_.focusedSlip;
  if (focus < 0 || focus >= (nodes ? doc_.nodeCount : doc_.slipCount)) return;
  const float z = view_.Zoom();
  const IntRect box = PageToScreen(nodes ? doc_.nodes[focus].rect : doc_.slips[focus].rect, z);
  resizeRect_ = ItemResizer(doc_, z).Track(box, handle_, screen);
  moved_ = true;
  ShowFeedback(resizeRect_, 1);
  host_.SetCursor(InsidePage(screen) ? HandleCursor(handle_) : CursorRole::NotHere);
}

void EditingController::SizingEnd(DragMode mode, Point screen) {
  if (doc_.header.pageCount == 0) return;
  const float z = view_.Zoom();
  switch (mode) {
    case DragMode::ResizeNodes:
    case DragMode::ResizeSlips: EndResize(mode); break;
    case DragMode::PageWidth:
    case DragMode::PageHeight: {
      const bool width = mode == DragMode::PageWidth;
      if (PageResizer(doc_, z).Apply(width, width ? pressPoint_.x : pressPoint_.y, width ? screen.x : screen.y)) {
        host_.PageShown();  // new scroll range, repaint
        doc_.CommitEdit(document::EditStep::PageSize);
      }
      break;
    }
    case DragMode::DialRadius:
      // The radius follows the pointer live; the whole drag is one step.
      doc_.CommitEdit(document::EditStep::DialSize);
      break;
    case DragMode::DialTurn:
      if (doc_.focusedNode < 0 || doc_.focusedNode >= doc_.nodeCount) break;
      DialTurner(doc_, z).Turn(pressPoint_, screen);
      doc_.Changes().RequestRepaint();
      doc_.CommitEdit(document::EditStep::DialTurn);
      break;
    default: break;
  }
}

void EditingController::EndResize(DragMode mode) {
  // A press on a handle without a move resizes nothing.
  if (!moved_) return;
  const bool nodes = mode == DragMode::ResizeNodes;
  const ItemKind kind = nodes ? ItemKind::Nodes : ItemKind::Slips;
  const int focus = nodes ? doc_.focusedNode : doc_.focusedSlip;
  const bool keepAspect = platform::settings::Get(settings_, platform::settings::KanSet::TateYokoKotei) == 1;
  const std::vector<int> pictures = ItemResizer(doc_, view_.Zoom()).Apply(kind, focus, handle_, resizeRect_, keepAspect);
  if (nodes && platform::settings::Get(settings_, platform::settings::KanSet::RefleshPic) == 1)
    for (const int i : pictures) ReloadNodePicture(i, false);
  doc_.Changes().RequestRepaint();
  doc_.CommitEdit(document::EditStep::Resize);
}

bool EditingController::ReloadNodePicture(int index, bool showMessages) {
  return NodePictureReloader(doc_, *materials_, *loader_).ReloadNodePicture(index, showMessages);
}

// ---- in-place editor ----------------------------------------------------

void EditingController::BeginEditorHandleDrag(int handle, Point client) {
  (void)client;
  editor_.BeginHandleDrag(handle);
  if (!editor_.Dragging() || !editor_.Host()) return;
  editor_.Host()->TrackPointer([this](Point at, bool released) {
    if (released)
      editor_.EndDrag(at);
    else
      editor_.DragTo(at);
  });
}

void EditingController::OpenSource(int node) {
  const std::string address = materials_->SourceAddress(doc_.nodes[node].serial);
  if (address.empty()) {
    platform::ShowMessage(platform::StringId::SourceUnknown, {}, platform::MsgIcon::Information);
    return;
  }
  materials_->OpenInHtmlArea(address);
}

void EditingController::DoubleClick(Point client) {
  if (doc_.header.pageCount == 0) return;
  const float z = view_.Zoom();
  const Point q = ClientToPage(client, view_.Scroll(), z);
  const HitTester hits(doc_, z);

  if (const NodeHit node = hits.HitNode(q); node.index >= 0) {
    if (node.onTitle) {
      doc_.focusedNode = node.index;
      doc_.nodeStates[node.index].selected = 1;
      doc_.focusedSlip = -1;
      doc_.Changes().FocusChanged();
      editor_.Open(node.index + 1, client);
    } else {
      switch (platform::settings::Get(settings_, platform::settings::KanSet::NodeWClick)) {
        case 1: OpenSource(node.index); break;
        case 2: host_.RunCommand(kCmdNodeProperties); break;
        default: break;
      }
    }
  }
  // A slip lying over the node gets its editor too.
  if (const int slip = hits.HitSlip(q); slip >= 0) {
    doc_.focusedNode = -1;
    doc_.focusedSlip = slip;
    doc_.slips[slip].selected = 1;
    doc_.Changes().FocusChanged();
    editor_.Open(-(slip + 1), client);
  }
}

}  // namespace plume::chartview
