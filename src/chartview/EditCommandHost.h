#pragma once
// What the alignment and style commands need around the document: the
// view's zoom. Repaints, the modified mark and the history go through the
// document. The program passes the ribbon's style controls; tests pass a
// recording fake.

namespace plume::chartview {

class EditCommandHost {
 public:
  virtual ~EditCommandHost() = default;
  /// The view's zoom factor (page units to screen pixels).
  virtual float Zoom() const = 0;
};

}  // namespace plume::chartview
