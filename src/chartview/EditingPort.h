#pragma once
// The operations the view controller starts but others carry out: the
// in-place editor, item and page resizing and the dial. Fully abstract;
// NoEditing stands for none of them being there: no editor is open and no
// dial is hit.

#include "chartview/DragMode.h"
#include "platform/CanvasTypes.h"

namespace plume::chartview {

class EditingPort {
 public:
  virtual ~EditingPort() = default;
  virtual bool EditorOpen() const = 0;
  /// The open editor's box as it is shown now, following a handle drag
  /// (client pixels); empty when no editor is open.
  virtual platform::IntRect EditorBox() const = 0;
  /// Handle 0..7 of the editor box under `client`, -1 for none.
  virtual int EditorHandleAt(platform::Point client) = 0;
  virtual void BeginEditorHandleDrag(int handle, platform::Point client) = 0;
  virtual void CommitEditor() = 0;
  /// Left double click outside the console (the in-place editor opens).
  virtual void DoubleClick(platform::Point client) = 0;

  /// Dial knob and dial ring of the focused node under `screen` (screen pixels).
  virtual bool DialKnobHit(platform::Point screen) = 0;
  virtual bool DialRingHit(platform::Point screen) = 0;

  /// A resize, page-size or dial drag started, moved and ended (screen
  /// pixels); `handle` is the resize handle or -1.
  virtual void SizingBegin(DragMode mode, int handle, platform::Point screen) = 0;
  virtual void SizingMove(DragMode mode, platform::Point screen) = 0;
  virtual void SizingEnd(DragMode mode, platform::Point screen) = 0;
};

/// A view without in-place editing, sizing or dial.
class NoEditing : public EditingPort {
 public:
  bool EditorOpen() const override { return false; }
  platform::IntRect EditorBox() const override { return {}; }
  int EditorHandleAt(platform::Point) override { return -1; }
  void BeginEditorHandleDrag(int, platform::Point) override {}
  void CommitEditor() override {}
  void DoubleClick(platform::Point) override {}
  bool DialKnobHit(platform::Point) override { return false; }
  bool DialRingHit(platform::Point) override { return false; }
  void SizingBegin(DragMode, int, platform::Point) override {}
  void SizingMove(DragMode, platform::Point) override {}
  void SizingEnd(DragMode, platform::Point) override {}
};

}  // namespace plume::chartview
