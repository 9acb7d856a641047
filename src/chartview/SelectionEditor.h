#pragma once
// The selection model under the mouse: the click rules for Ctrl, Shift and
// plain clicks on a node or slip, clearing, and the rubber-band selection.
// Every change of the focus is followed by a refresh of the ribbon's style
// controls.

#include "chartview/HitTester.h"
#include "document/ChartDocument.h"

namespace plume::chartview {

class SelectionEditor {
 public:
  explicit SelectionEditor(document::ChartDocument& doc) : doc_(doc) {}

  /// Empties both kinds, drops both focuses, refreshes the ribbon and repaints.
  void ClearAll();
  /// Applies the click rules to item `index` of `kind` for the event's
  /// button and modifier word; repaints; returns whether a move drag starts.
  bool Click(ItemKind kind, int index, int flags);
  /// Clears all unless the item is selected, then focuses and selects it
  /// (right click). Refreshes the ribbon; the caller repaints.
  void FocusForMenu(ItemKind kind, int index);

  /// Which kinds have at least one item of the current page wholly inside
  /// `band` (screen pixels): 1 nodes, 2 slips, 3 both, 0 none.
  int CaughtKinds(const platform::IntRect& band, float zoom) const;
  /// Selects every item of `kind` on the current page wholly inside `band`,
  /// in index order, each becoming the focus in turn. Returns how many.
  int SelectInRect(ItemKind kind, const platform::IntRect& band, float zoom);

  int& Focus(ItemKind kind) { return doc_.FocusedItem(kind); }
  bool Selected(ItemKind kind, int index) const;
  void SetSelected(ItemKind kind, int index, bool on);
  /// Number of selected items of `kind` on every page.
  int SelectedCount(ItemKind kind) const;

 private:
  int Count(ItemKind kind) const { return doc_.ItemCount(kind); }
  bool Inside(ItemKind kind, int index, const platform::IntRect& band, float zoom) const;

  document::ChartDocument& doc_;
};

}  // namespace plume::chartview
