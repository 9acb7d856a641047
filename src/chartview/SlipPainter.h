#pragma once
// Paints the slips of one page: box, selection halo, handles and text.

#include "chartview/PaintParams.h"
#include "document/ChartDocument.h"
#include "platform/Canvas.h"

namespace plume::chartview {

class SlipPainter {
 public:
  SlipPainter(const document::ChartDocument& doc, const PaintParams& params, platform::Canvas& canvas);
  /// Every slip on page `pageIndex`, in table order; the slip edited in place is left out.
  void DrawSlips(int pageIndex);

 private:
  void DrawSlip(int index);

  const document::ChartDocument& doc_;
  const PaintParams& params_;
  platform::Canvas& canvas_;
  platform::IntRect visible_;
};

}  // namespace plume::chartview
