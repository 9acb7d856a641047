#include "chartview/ChartViewHooks.h"

namespace plume::chartview {

void ChartViewHooks::NewDocumentSetUp() {
  view_.LoadZoomFromSettings();
  view_.DocumentShown();
}

}  // namespace plume::chartview
