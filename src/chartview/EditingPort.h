#pragma once
// The operations the view controller starts but others carry out: the
// in-place editor, item and page resizing and the dial. The defaults stand
// for none of them being there: no editor is open and no dial is hit.

#include "chartview/DragMode.h"
#include "platform/CanvasTypes.h"

namespace plume::chartview {

class EditingPort {
 public:
  virtual ~EditingPort() = default;
  virtual bool EditorOpen() const { return false; }
  /// The open editor's box as it is shown now, following a handle drag
  /// (client pixels); empty when no editor is open.
  virtual platform::IntRect EditorBox() const { return {}; }
  /// Handle 0..7 of the editor box under `client`, -1 for none.
  virtual int EditorHandleAt(platform::Point client) { (void)client; return -1; }
  virtual void BeginEditorHandleDrag(int handle, platform::Point client) {
    (void)handle;
    (void)client;
  }
  virtual void CommitEditor() {}
  /// Left double click outside the console (the in-place editor opens).
  virtual void DoubleClick(platform::Point client) { (void)client; }

  /// Dial knob and dial ring of the focused node under `screen` (screen pixels).
  virtual bool DialKnobHit(platform::Point screen) { (void)screen; return false; }
  virtual bool DialRingHit(platform::Point screen) { (void)screen; return false; }

  /// A resize, page-size or dial drag started, moved and ended (screen
  /// pixels); `handle` is the resize handle or -1.
  virtual void SizingBegin(DragMode mode, int handle, platform::Point screen) {
    (void)mode;
    (void)handle;
    (void)screen;
  }
  virtual void SizingMove(DragMode mode, platform::Point screen) {
    (void)mode;
    (void)screen;
  }
  virtual void SizingEnd(DragMode mode, platform::Point screen) {
    (void)mode;
    (void)screen;
  }
};

}  // namespace plume::chartview
