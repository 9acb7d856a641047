#pragma once
// The eleven alignment commands of the position panel: lining up on the main
// selection, centring on the page, spreading out evenly and equal sizes. Each
// kind (nodes, slips) is worked on separately against its own focused item;
// every command only computes new rectangles and hands them to one primitive
// that puts them on the items and repaints; a command is one step of the history.

#include <optional>
#include <vector>

#include "chartview/HitTester.h"
#include "document/ChartDocument.h"

namespace plume::chartview {

enum class AlignOp { Left, Right, Top, Bottom, VCentre, HCentre, VSpread, HSpread, SameW, SameH, SameWH };

/// A new rectangle for item `index` of one kind.
struct RectChange {
  int index = 0;
  document::Rect rect;
};

class AlignCommands {
 public:
  explicit AlignCommands(document::ChartDocument& doc) : doc_(doc) {}

  /// The operation of command id 32800..32807, 32787, 32788 or 32875.
  static std::optional<AlignOp> OpFor(int commandId);
  /// Every command id, in ribbon menu order.
  static const std::vector<int>& CommandIds();

  /// Lining up and equal sizes: at least 2 selected nodes or 2 selected
  /// slips; spreading out: at least 3; centring: always.
  bool Enabled(AlignOp op) const;
  /// Runs `op` for the nodes when a node is focused, then for the slips when
  /// a slip is focused; both together are one step of the history.
  void Run(AlignOp op);

  /// Puts every change on its item and repaints, and commits the step.
  void Apply(ItemKind kind, const std::vector<RectChange>& changes);

  /// New rectangles of `op` for the selected items `items` (index, rect) of
  /// one kind against the reference rectangle `ref` of index `refIndex` on a
  /// page of `pageW` x `pageH`. Equal sizes are not yet fitted into the page.
  static std::vector<RectChange> Compute(AlignOp op, const std::vector<RectChange>& items, int refIndex,
                                         const document::Rect& ref, int pageW, int pageH);

 private:
  /// False when `kind` has no focused item.
  bool RunKind(AlignOp op, ItemKind kind);
  void Put(ItemKind kind, const std::vector<RectChange>& changes);
  std::vector<RectChange> SelectedItems(ItemKind kind) const;
  int SelectedCount(ItemKind kind) const;

  document::ChartDocument& doc_;
};

}  // namespace plume::chartview
