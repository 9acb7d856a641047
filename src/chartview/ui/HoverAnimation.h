#pragma once
// The pointer animation of the chart area: dots circling the item the
// pointer rests on, drawn as erasable feedback over the back buffer. The view
// controller decides which item that is; this class only runs the timer and
// draws.

#include <QObject>
#include <QRect>

#include "chartview/HitTester.h"
#include "chartview/ui/PointerAnimation.h"

class QTimer;

namespace plume::chartview {

class CTesselView;

class HoverAnimation : public QObject {
  Q_OBJECT
 public:
  explicit HoverAnimation(CTesselView& widget);

  bool Running() const { return animation_.Running(); }
  /// Starts, keeps or stops the animation for the pointer at `client`
  /// (no button held); `trails` from the animation pointer setting, 0 for off.
  void PointerAt(QPoint client, int trails);
  /// Stops and erases the dots; nothing when none run.
  void Stop();

 private:
  void Step();
  /// Client rectangle of the animated item; empty when it is gone.
  QRect ItemRect() const;

  CTesselView& widget_;
  PointerAnimation animation_;
  QTimer* timer_ = nullptr;
  ItemKind kind_ = ItemKind::Nodes;
  int index_ = -1;
};

}  // namespace plume::chartview
