#pragma once
// The pointer animation of the chart area: dots circling the item the
// pointer rests on, drawn as the erasable shape of the area's back buffer.
// The view controller decides which item that is; this class only runs the
// timer and draws.

#include <QObject>
#include <QRect>

#include "chartview/ChartView.h"
#include "chartview/HitTester.h"
#include "chartview/ViewController.h"
#include "chartview/ui/OverlaySurface.h"
#include "chartview/ui/PointerAnimation.h"

class QTimer;

namespace plume::chartview {

class HoverAnimation : public QObject {
  Q_OBJECT
 public:
  /// Circles the items of `view`'s current page on `surface`; both must
  /// outlive the animation's timer.
  HoverAnimation(QObject* parent, ChartView& view, OverlaySurface& surface);

  bool Running() const { return animation_.Running(); }
  /// Starts, keeps or stops the animation for the pointer at `client`
  /// (no button held), on the item `controller` chooses; `trails` from the
  /// animation pointer setting, 0 for off.
  void PointerAt(ViewController& controller, QPoint client, int trails);
  /// Stops and erases the dots; nothing when none run.
  void Stop();

 private:
  void Step();
  /// Client rectangle of the animated item; empty when it is gone.
  QRect ItemRect() const;

  ChartView& view_;
  OverlaySurface& surface_;
  PointerAnimation animation_;
  QTimer* timer_ = nullptr;
  ItemKind kind_ = ItemKind::Nodes;
  int index_ = -1;
};

}  // namespace plume::chartview
