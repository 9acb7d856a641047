#pragma once
// Paints the slips of one page: box, selection halo, handles and text.

#include "chartview/ItemPainter.h"

namespace plume::chartview {

class SlipPainter : private ItemPainter {
 public:
  using ItemPainter::ItemPainter;
  /// Every slip on page `pageIndex`, in table order; the slip edited in place is left out.
  void DrawSlips(int pageIndex);

 private:
  void DrawSlip(int index);
};

}  // namespace plume::chartview
