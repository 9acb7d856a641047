#pragma once
// Connects the document's callbacks to the chart view: the undo
// record, the zoom used to place new items, and the zoom reset of a new
// document. Every other callback goes on to `next` (the do-nothing defaults
// when null), so the ribbon, browser and style defaults can be chained in.

#include "chartview/ChartView.h"
#include "document/DocumentHooks.h"

namespace plume::chartview {

class ChartViewHooks : public document::DocumentHooks {
 public:
  explicit ChartViewHooks(ChartView& view, document::DocumentHooks* next = nullptr);

  void DiscardUndo() override;
  float Zoom() override;
  /// Zoom back to Last/Zoom and the new document shown (undo dropped), then `next`.
  void NewDocumentSetUp() override;

  std::string WebPageTitle() override { return next_->WebPageTitle(); }
  document::ItemStyle NodeDefaults() override { return next_->NodeDefaults(); }
  document::ItemStyle SlipDefaults() override { return next_->SlipDefaults(); }
  std::uint16_t TitlePosDefault() override { return next_->TitlePosDefault(); }

 private:
  ChartView& view_;
  document::DocumentHooks fallback_;
  document::DocumentHooks* next_;
};

}  // namespace plume::chartview
