#include "chartview/ChartViewHooks.h"

namespace plume::chartview {

ChartViewHooks::ChartViewHooks(ChartView& view, document::DocumentHooks* next)
    : view_(view), next_(next ? next : &fallback_) {}

void ChartViewHooks::DiscardUndo() {
  view_.DiscardUndo();
  next_->DiscardUndo();
}

float ChartViewHooks::Zoom() { return view_.Zoom(); }

void ChartViewHooks::NewDocumentSetUp() {
  view_.LoadZoomFromSettings();
  view_.DocumentShown();
  next_->NewDocumentSetUp();
}

}  // namespace plume::chartview
