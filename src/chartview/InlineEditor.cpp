#include "chartview/InlineEditor.h"

#include <algorithm>

#include "chartview/CanvasText.h"
#include "chartview/CoordinateMapping.h"
#include "chartview/HitTester.h"
#include "chartview/ItemFont.h"
#include "chartview/ItemResizer.h"
#include "platform/Cp932.h"

namespace plume::chartview {

using platform::IntRect;
using platform::Point;

std::string InlineEditor::ToEditorText(std::string_view cp932) {
  std::string utf8 = ToCanvasText(cp932);
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
    out.push_back(utf8[i]);
  }
  return out;
}

std::string InlineEditor::FromEditorText(std::string_view utf8) {
  std::string lines;
  lines.reserve(utf8.size() + 16);
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r') continue;  // a CR of the editor's own is not kept twice
    if (utf8[i] == '\n') lines.push_back('\r');
    lines.push_back(utf8[i]);
  }
  return platform::Utf8ToCp932(lines);
}

namespace {

bool SameSlip(const document::SlipRecord& a, const document::SlipRecord& b) {
  return a.pageId == b.pageId && a.rect == b.rect && platform::FieldText(a.slipText) == platform::FieldText(b.slipText);
}

}  // namespace

int InlineEditor::ResolveTarget() const {
  const document::ChartDocument& doc = view_.Document();
  if (target_ > 0) {
    const int at = target_ - 1;
    if (at < doc.nodeCount && doc.nodes[at].nodeId == nodeId_) return target_;
    for (int i = 0; i < doc.nodeCount; ++i) {
      if (doc.nodes[i].nodeId == nodeId_) return i + 1;
    }
    return 0;
  }
  if (target_ < 0) {
    const int at = -target_ - 1;
    if (at < doc.slipCount && SameSlip(doc.slips[at], slip_)) return target_;
    int found = 0;
    for (int i = 0; i < doc.slipCount; ++i) {
      if (!SameSlip(doc.slips[i], slip_)) continue;
      if (found != 0) return 0;  // two alike: which one was edited cannot be told
      found = -(i + 1);
    }
    return found;
  }
  return 0;
}

void InlineEditor::Open(int target, Point caret) {
  if (IsOpen()) Close();
  if (!box_ || target == 0) return;
  document::ChartDocument& doc = view_.Document();
  const float zoom = view_.Zoom();
  const document::ItemStyle* style = nullptr;
  IntRect box;
  std::string_view text;
  if (target > 0) {
    if (target - 1 >= doc.nodeCount) return;
    const int i = target - 1;
    box = ToIntRect(doc.nodeStates[i].titleRect);
    style = &doc.nodes[i].style;
    text = platform::FieldText(doc.nodes[i].title);
  } else {
    if (-target - 1 >= doc.slipCount) return;
    const int i = -target - 1;
    box = PageToScreen(doc.slips[i].rect, zoom);
    style = &doc.slips[i].style;
    text = platform::FieldText(doc.slips[i].slipText);
  }
  box.bottom += kBoxBelow;
  const Point scroll = view_.Scroll();
  box = {box.left - scroll.x, box.top - scroll.y, box.right - scroll.x, box.bottom - scroll.y};

  target_ = target;
  nodeId_ = target > 0 ? doc.nodes[target - 1].nodeId : 0;
  if (target < 0) slip_ = doc.slips[-target - 1];
  boxRect_ = box;
  view_.SetEditTarget(target);
  view_.RequestRepaint();

  EditorSetup setup;
  setup.box = box;
  setup.font.face = ToCanvasText(platform::FieldText(style->FontName));
  if (setup.font.face.empty()) setup.font.face = kDefaultFace;
  setup.font.weight = style->FontBold ? 700 : 400;
  setup.font.height = FontHeightForPoints(ZoomLength(style->FontSize, zoom), box_->ScreenDpiY());
  setup.textColor = style->refText;
  setup.background = style->refMen != document::kNoColor ? style->refMen : doc.CurrentPage().backColor;
  setup.align = style->AlineH <= 2 ? style->AlineH : 0;
  setup.wrap = style->Wrap != 0;
  setup.text = ToEditorText(text);
  setup.caret = caret;
  box_->OpenEditor(setup);
}

void InlineEditor::Close() {
  if (box_) box_->CloseEditor();
  target_ = 0;
  dragHandle_ = -1;
  view_.SetEditTarget(0);
}

void InlineEditor::Discard() {
  if (!IsOpen()) return;
  Close();
  view_.RequestRepaint();
}

bool InlineEditor::Commit() {
  if (!IsOpen()) return false;
  const std::string typed = box_ ? FromEditorText(box_->EditorText()) : std::string();
  // A view that dropped the edit target (another document was shown) keeps
  // the typed text out of whatever item now has that index.
  const int target = view_.EditTarget() == target_ ? ResolveTarget() : 0;
  const bool valid = target != 0;
  Close();
  bool changed = false;
  // Stores the typed text cut to the field; a text that equals the stored one
  // once cut leaves the document unmodified.
  auto store = [&](char* field, std::size_t fieldSize, std::size_t limit) {
    const std::string cut = platform::CutToBytes(typed, limit);
    if (cut == platform::FieldText(field, fieldSize)) return;
    platform::CopyToField(field, fieldSize, cut);
    changed = true;
  };
  if (valid) {
    document::ChartDocument& doc = view_.Document();
    if (target > 0) {
      document::NodeRecord& node = doc.nodes[target - 1];
      store(node.title, sizeof node.title, kTitleBytes);
    } else {
      document::SlipRecord& slip = doc.slips[-target - 1];
      store(slip.slipText, sizeof slip.slipText, kSlipTextBytes);
    }
  }
  if (changed) view_.Document().CommitEdit(document::EditStep::Text);
  view_.RequestRepaint();
  return changed;
}

std::array<IntRect, 8> InlineEditor::HandleSquares(const IntRect& box) {
  const std::vector<Point> points = HitTester::HandlePoints(ToRect(box), kHandleGrowth);
  std::array<IntRect, 8> squares;
  for (std::size_t h = 0; h < squares.size(); ++h) {
    const Point c = points[h];
    // Right and bottom exclusive: the square holds c +- kHandleReach.
    squares[h] = {c.x - kHandleReach, c.y - kHandleReach, c.x + kHandleReach + 1, c.y + kHandleReach + 1};
  }
  return squares;
}

int InlineEditor::HandleAt(Point client) const {
  if (!IsOpen()) return -1;
  const std::array<IntRect, 8> squares = HandleSquares(boxRect_);
  for (int h = 0; h < 8; ++h) {
    const IntRect& s = squares[static_cast<std::size_t>(h)];
    if (client.x >= s.left && client.x < s.right && client.y >= s.top && client.y < s.bottom) return h;
  }
  return -1;
}

void InlineEditor::BeginHandleDrag(int handle) {
  if (!IsOpen() || handle < 0 || handle > 7) return;
  dragHandle_ = handle;
  dragBox_ = boxRect_;
}

IntRect InlineEditor::TrackBox(Point client) const {
  const document::PageRecord& page = view_.Document().CurrentPage();
  const float zoom = view_.Zoom();
  const Point scroll = view_.Scroll();
  const int x = std::clamp(client.x, -scroll.x, std::max(-scroll.x, ZoomLength(page.pageWidth, zoom) - scroll.x));
  const int y = std::clamp(client.y, -scroll.y, std::max(-scroll.y, ZoomLength(page.pageHeight, zoom) - scroll.y));
  IntRect r = boxRect_;
  const int h = dragHandle_;
  if (ItemResizer::MovesLeft(h)) r.left = std::min(x, r.right - kMinBox);
  if (ItemResizer::MovesRight(h)) r.right = std::max(x, r.left + kMinBox);
  if (ItemResizer::MovesTop(h)) r.top = std::min(y, r.bottom - kMinBox);
  if (ItemResizer::MovesBottom(h)) r.bottom = std::max(y, r.top + kMinBox);
  return r;
}

void InlineEditor::DragTo(Point client) {
  if (!Dragging()) return;
  dragBox_ = TrackBox(client);
  if (box_) box_->ShowBoxFeedback(dragBox_);
}

void InlineEditor::EndDrag(Point client) {
  if (!Dragging()) return;
  boxRect_ = TrackBox(client);
  dragHandle_ = -1;
  if (box_) box_->MoveEditor(boxRect_);
}

}  // namespace plume::chartview
