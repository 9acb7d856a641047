#include "chartview/ChartViewHooks.h"

namespace plume::chartview {

void ChartViewHooks::DiscardUndo() { view_.DiscardUndo(); }

float ChartViewHooks::Zoom() { return view_.Zoom(); }

void ChartViewHooks::NewDocumentSetUp() {
  view_.LoadZoomFromSettings();
  view_.DocumentShown();
}

}  // namespace plume::chartview
