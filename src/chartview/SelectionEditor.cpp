#include "chartview/SelectionEditor.h"

#include "chartview/ControllerEvents.h"
#include "chartview/CoordinateMapping.h"

namespace plume::chartview {

bool SelectionEditor::Selected(ItemKind kind, int index) const {
  return doc_.ItemSelected(kind, index);
}

void SelectionEditor::SetSelected(ItemKind kind, int index, bool on) {
  if (kind == ItemKind::Nodes)
    doc_.nodeStates[index].selected = on ? 1 : 0;
  else
    doc_.slips[index].selected = on ? 1 : 0;
}

int SelectionEditor::SelectedCount(ItemKind kind) const {
  int n = 0;
  for (int i = 0; i < Count(kind); ++i) n += Selected(kind, i) ? 1 : 0;
  return n;
}

void SelectionEditor::ClearAll() {
  doc_.ClearSelection();
  doc_.Changes().FocusChanged();
  doc_.Changes().RequestRepaint();
}

bool SelectionEditor::Click(ItemKind kind, int index, int flags) {
  const bool ctrl = flags == (mouse::kLeft | mouse::kCtrl);
  const bool shift = flags == (mouse::kLeft | mouse::kShift);
  int& focus = Focus(kind);
  bool drag = true;
  const auto clearFocusSelect = [&] {
    doc_.ClearSelection();
    Focus(kind) = index;
    SetSelected(kind, index, true);
  };
  if (focus < 0) {
    clearFocusSelect();
  } else if (Selected(kind, index)) {
    if (shift) {
      drag = false;
      SetSelected(kind, index, false);
      if (focus == index) {
        // The focus goes to the lowest selected item left; with none it stays.
        for (int i = 0; i < Count(kind); ++i)
          if (Selected(kind, i)) {
            focus = i;
            break;
          }
      }
    } else {
      focus = index;
    }
  } else if (ctrl) {
    focus = index;
    SetSelected(kind, index, true);
    drag = false;
  } else {
    clearFocusSelect();
  }
  doc_.Changes().FocusChanged();
  doc_.Changes().RequestRepaint();
  return drag;
}

void SelectionEditor::FocusForMenu(ItemKind kind, int index) {
  if (!Selected(kind, index)) doc_.ClearSelection();
  Focus(kind) = index;
  SetSelected(kind, index, true);
  doc_.Changes().FocusChanged();
}

bool SelectionEditor::Inside(ItemKind kind, int index, const platform::IntRect& band, float zoom) const {
  const bool nodes = kind == ItemKind::Nodes;
  if ((nodes ? doc_.nodes[index].pageId : doc_.slips[index].pageId) != doc_.CurrentPage().pageId) return false;
  const platform::IntRect r = PageToScreen(nodes ? doc_.nodes[index].rect : doc_.slips[index].rect, zoom);
  return r.left >= band.left && r.top >= band.top && r.right <= band.right && r.bottom <= band.bottom;
}

int SelectionEditor::CaughtKinds(const platform::IntRect& band, float zoom) const {
  int kinds = 0;
  for (int i = 0; i < doc_.nodeCount; ++i)
    if (Inside(ItemKind::Nodes, i, band, zoom)) {
      kinds |= 1;
      break;
    }
  for (int i = 0; i < doc_.slipCount; ++i)
    if (Inside(ItemKind::Slips, i, band, zoom)) {
      kinds |= 2;
      break;
    }
  return kinds;
}

int SelectionEditor::SelectInRect(ItemKind kind, const platform::IntRect& band, float zoom) {
  int& focus = Focus(kind);
  focus = -1;
  int n = 0;
  for (int i = 0; i < Count(kind); ++i) {
    if (!Inside(kind, i, band, zoom)) continue;
    SetSelected(kind, i, true);
    focus = i;
    ++n;
  }
  doc_.Changes().FocusChanged();
  return n;
}

}  // namespace plume::chartview
