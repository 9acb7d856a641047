#pragma once
// Dropping the selected nodes on an unselected node T joins or parts them:
// for each selected node S in index order, the arcs joining T and S (either
// direction) are removed, or when there is none an arc T -> S is appended.
// An arc beyond the table's capacity is refused with message 30370, shown
// once per drop; removals go on.

#include "document/ChartDocument.h"

namespace plume::chartview {

class ArcDrop {
 public:
  struct Result {
    int added = 0;
    int removed = 0;
    int refused = 0;
  };

  /// Joins or parts every selected node and node `target`; returns what changed.
  static Result Apply(document::ChartDocument& doc, int target);

 private:
  /// Removes every arc joining the two node ids (either way), keeping the order of the rest.
  static int RemoveJoining(document::ChartDocument& doc, std::int32_t a, std::int32_t b);
};

}  // namespace plume::chartview
