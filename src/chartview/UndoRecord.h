#pragma once
// The one-step undo of item geometry: a snapshot of the rectangle and page of
// every node, or of every slip, taken just before a move, resize, dial turn
// or alignment, and put back by Undo. There is no history and no redo.

#include <cstdint>
#include <vector>

#include "document/ChartDocument.h"

namespace plume::chartview {

class UndoRecord {
 public:
  using Kind = document::ItemKind;

  /// Replaces the record by the rectangles and page ids of every item of
  /// `kind` (selected or not, on every page) and makes undo available. When
  /// the memory cannot be had, the record holds nothing and is unavailable.
  void TakeSnapshot(const document::ChartDocument& doc, Kind kind);
  /// Makes undo unavailable (items created, pasted or deleted; another document).
  void Discard();
  bool Available() const { return available_; }
  Kind RecordKind() const { return kind_; }
  int Count() const { return static_cast<int>(rects_.size()); }

  /// Puts the recorded rectangles and page ids back on the items of the
  /// record's table by index (as many as both the record and the table have),
  /// then discards the record. Selection, focus, current page and the
  /// modified mark are left alone. False when nothing was available.
  /// `changed` (may be null) tells whether any rectangle or page moved back.
  bool Undo(document::ChartDocument& doc, bool* changed = nullptr);

 private:
  Kind kind_ = Kind::Nodes;
  std::vector<document::Rect> rects_;
  std::vector<std::uint16_t> pageIds_;
  bool available_ = false;
};

}  // namespace plume::chartview
