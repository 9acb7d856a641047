#pragma once
// What the alignment and style commands need around the document: the view's
// one-step undo record, a repaint and the modified mark. The program passes
// the chart view; tests pass a recording fake.

#include "chartview/UndoRecord.h"

namespace plume::chartview {

class EditCommandHost {
 public:
  virtual ~EditCommandHost() = default;
  /// Replaces the undo record by the geometry of every item of `kind`.
  virtual void TakeSnapshot(UndoRecord::Kind kind) = 0;
  /// Repaints the chart view.
  virtual void Repaint() = 0;
  /// Marks the document modified.
  virtual void MarkModified() = 0;
  /// The view's zoom factor (page units to screen pixels).
  virtual float Zoom() const { return 1.0f; }
};

}  // namespace plume::chartview
