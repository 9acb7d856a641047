#include "chartview/ui/PointerAnimation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace plume::chartview {

namespace {

// Trail colours as red, green, blue.
constexpr std::array<std::array<int, 3>, PointerAnimation::kMaxTrails> kTrailColours{{
    {255, 192, 192},
    {247, 192, 255},
    {123, 192, 247},
    {255, 165, 165},
    {247, 192, 192},
    {128, 165, 247},
    {255, 123, 123},
    {247, 192, 123},
    {128, 243, 247},
    {255, 173, 243},
}};

constexpr int kDarkerPerDot = 8;

}  // namespace

void PointerAnimation::Start(int width, int height, int trails) {
  trails_.clear();
  const int count = std::min(trails, kMaxTrails);
  if (count < 1) return;
  radiusX_ = std::min(std::max(width, 0), kLargestCircled) / 2 + kPathMargin;
  radiusY_ = std::min(std::max(height, 0), kLargestCircled) / 2 + kPathMargin;
  std::uniform_int_distribution<int> start(0, kPathPositions - 1);
  for (int i = 0; i < count; ++i) trails_.push_back({start(random_), i % 2 == 0 ? 1 : -1});
}

void PointerAnimation::Advance() {
  for (Trail& trail : trails_) trail.head = (trail.head + trail.direction + kPathPositions) % kPathPositions;
}

platform::Point PointerAnimation::PathPoint(int position) const {
  const double angle = 2.0 * std::numbers::pi * position / kPathPositions;
  return {static_cast<int>(std::lround(radiusX_ * std::cos(angle))),
          static_cast<int>(std::lround(radiusY_ * std::sin(angle)))};
}

std::vector<PointerAnimation::Dot> PointerAnimation::Dots() const {
  std::vector<Dot> dots;
  dots.reserve(trails_.size() * kDotsPerTrail);
  for (std::size_t i = 0; i < trails_.size(); ++i) {
    const Trail& trail = trails_[i];
    const auto& rgb = kTrailColours[i];
    for (int d = 0; d < kDotsPerTrail; ++d) {
      // The tail lies behind the head, against the direction of travel.
      const int position = ((trail.head - d * trail.direction) % kPathPositions + kPathPositions) % kPathPositions;
      const int fade = d * kDarkerPerDot;
      dots.push_back({PathPoint(position), document::Rgb(std::max(rgb[0] - fade, 0), std::max(rgb[1] - fade, 0),
                                                         std::max(rgb[2] - fade, 0))});
    }
  }
  return dots;
}

int PointerAnimation::PenWidth(float zoom) { return std::max(2, static_cast<int>(4.0f * zoom)); }

document::ColorRef PointerAnimation::TrailColour(int i) {
  const auto& rgb = kTrailColours[static_cast<std::size_t>(std::clamp(i, 0, kMaxTrails - 1))];
  return document::Rgb(rgb[0], rgb[1], rgb[2]);
}

}  // namespace plume::chartview
