#pragma once
// The visible-part-as-PDF command: the part of the HTML page on screen
// captured into a PDF, stored with the text area's text.

#include "capture/InsertionPoint.h"
#include "capture/ShownPageCapture.h"

namespace plume::capture {

class VisiblePdfFlow {
 public:
  explicit VisiblePdfFlow(ShownPageCapture& capture) : capture_(capture) {}

  /// The registration of the part on screen at `at`; false when nothing was registered.
  bool Run(InsertionPoint at);

 private:
  ShownPageCapture& capture_;
};

}  // namespace plume::capture
