#pragma once
// The image commands: the whole HTML page, or the part on screen, captured
// into a JPEG, stored with the text area's text.

#include "capture/InsertionPoint.h"
#include "capture/ShownPageCapture.h"

namespace plume::capture {

class PageImageFlow {
 public:
  explicit PageImageFlow(ShownPageCapture& capture) : capture_(capture) {}

  /// The registration of the whole page (`whole`) or the part on screen at
  /// `at`; false when nothing was registered.
  bool Run(bool whole, InsertionPoint at);

 private:
  ShownPageCapture& capture_;
};

}  // namespace plume::capture
