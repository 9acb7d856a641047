#include "chartview/ChartViewHooks.h"

namespace plume::chartview {

float ChartViewHooks::Zoom() { return view_.Zoom(); }

void ChartViewHooks::NewDocumentSetUp() {
  view_.LoadZoomFromSettings();
  view_.DocumentShown();
}

}  // namespace plume::chartview
