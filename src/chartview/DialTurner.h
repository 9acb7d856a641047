#pragma once
// The dial ring around the focused node: its knob sets the ring's radius,
// and a drag on the ring turns the nodes joined to the focused node around it
// by the angle swept, scaling their distances by the ratio of the release
// distance to the radius. All points are screen pixels.

#include "document/ChartDocument.h"
#include "platform/CanvasTypes.h"

namespace plume::chartview {

class DialTurner {
 public:
  static constexpr int kMinRadius = 40;
  static constexpr int kMaxRadius = 140;
  /// The ring is hit within this distance of the radius (exclusive).
  static constexpr int kRingReach = 6;
  /// Half the side of the knob's square.
  static constexpr int kKnobReach = 5;

  DialTurner(document::ChartDocument& doc, float zoom) : doc_(doc), zoom_(zoom) {}

  /// Whether the focused node has an arc to another node of the current page.
  bool HasRing() const;
  /// Centre of the focused node in screen pixels; call only with a focused node.
  platform::Point Centre() const;
  bool KnobHit(platform::Point screen) const;
  bool RingHit(platform::Point screen) const;
  /// Sets dialRadius from the pointer's distance right of the centre, held
  /// in 40..140; returns the radius set.
  int SetRadiusFrom(platform::Point screen);
  /// Turns and scales the joined nodes of the current page for a drag from
  /// `pressed` to `released`, keeping each inside the page. False without a
  /// focused node.
  bool Turn(platform::Point pressed, platform::Point released);

 private:
  bool FocusValid() const { return doc_.focusedNode >= 0 && doc_.focusedNode < doc_.nodeCount; }
  bool Joined(std::int32_t a, std::int32_t b) const;

  document::ChartDocument& doc_;
  float zoom_;
};

}  // namespace plume::chartview
