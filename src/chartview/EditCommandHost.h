#pragma once
// What the alignment and style commands need around the document: the view's
// one-step undo record and its zoom. Repaints and the modified mark go
// through the document's changes. The program passes the ribbon's style
// controls; tests pass a recording fake.

#include "chartview/UndoRecord.h"

namespace plume::chartview {

class EditCommandHost {
 public:
  virtual ~EditCommandHost() = default;
  /// Replaces the undo record by the geometry of every item of `kind`.
  virtual void TakeSnapshot(UndoRecord::Kind kind) = 0;
  /// The view's zoom factor (page units to screen pixels).
  virtual float Zoom() const = 0;
};

}  // namespace plume::chartview
