#pragma once
// The animated pointer: comet-like trails circling an item the pointer rests
// on. Each trail is eight dots on a closed path of 60 positions around the
// item (around a 100 x 100 square at its centre for larger items), starting
// at a random position; alternate trails run in opposite directions, and
// every dot behind the head is 8 darker in each colour channel. Plain
// geometry: the widget times it and draws the dots.

#include <random>
#include <vector>

#include "document/ChartRecords.h"
#include "platform/CanvasTypes.h"

namespace plume::chartview {

class PointerAnimation {
 public:
  static constexpr int kPathPositions = 60;
  static constexpr int kDotsPerTrail = 8;
  static constexpr int kMaxTrails = 10;
  /// Timer period of one step, milliseconds.
  static constexpr int kTickMilliseconds = 5;
  /// Items larger than this (pixels) are circled around a square of this side.
  static constexpr int kLargestCircled = 100;
  /// Distance of the path from the circled square, pixels.
  static constexpr int kPathMargin = 12;

  struct Dot {
    platform::Point at;  ///< relative to the item's centre
    document::ColorRef colour = 0;
  };

  explicit PointerAnimation(unsigned seed = std::random_device{}()) : random_(seed) {}

  /// Starts `trails` trails (at most 10; none when below 1) around an item
  /// of `width` x `height` pixels.
  void Start(int width, int height, int trails);
  void Stop() { trails_.clear(); }
  bool Running() const { return !trails_.empty(); }
  /// One timer tick: every trail moves one position along its path.
  void Advance();
  /// The dots of every trail at the present step.
  std::vector<Dot> Dots() const;
  /// Half the extent of the path around the centre (x and y radius), pixels.
  platform::Size Reach() const { return {radiusX_, radiusY_}; }
  /// Pen width of the dots at `zoom`: trunc(4 x zoom), at least 2.
  static int PenWidth(float zoom);
  /// Starting colour of trail `i` (0x00BBGGRR).
  static document::ColorRef TrailColour(int i);

 private:
  platform::Point PathPoint(int position) const;

  struct Trail {
    int head = 0;
    int direction = 1;
  };
  std::mt19937 random_;
  std::vector<Trail> trails_;
  int radiusX_ = 0;
  int radiusY_ = 0;
};

}  // namespace plume::chartview
