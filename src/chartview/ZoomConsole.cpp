#include "chartview/ZoomConsole.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>

#include "chartview/ConsoleArt.h"
#include "platform/Messages.h"
#include "platform/SettingsTable.h"

namespace plume::chartview {

namespace settings = platform::settings;
using platform::IntRect;
using platform::Point;

namespace {
constexpr bool InRect(const IntRect& r, Point p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}
}  // namespace

ZoomConsole::ZoomConsole(ChartView& view, platform::SettingsStore& settings, ConsoleHost& host,
                         const platform::PictureCodec& codec)
    : view_(view),
      settings_(settings),
      host_(host),
      codec_(codec),
      centre_{settings::Get(settings, settings::Last::ZoomX), settings::Get(settings, settings::Last::ZoomY)} {}

bool ZoomConsole::CreateImages() {
  face_ = std::make_unique<ConsoleBitmap>(ConsoleArt::Face());
  strip_ = std::make_unique<ConsoleBitmap>(ConsoleArt::DigitStrip());
  picture_.reset();
  RebuildConsole();
  if (!picture_) {
    platform::ShowMessage(platform::StringId::MemoryAllocFailed);
    return false;
  }
  return true;
}

void ZoomConsole::SavePosition() const {
  settings::Set(settings_, settings::Last::ZoomX, centre_.x);
  settings::Set(settings_, settings::Last::ZoomY, centre_.y);
}

double ZoomConsole::DistanceFromCentre(Point client) const {
  const double dx = client.x - centre_.x;
  const double dy = client.y - centre_.y;
  return std::sqrt(dx * dx + dy * dy);
}

int ZoomConsole::HitTest(Point client, bool checkButtons) {
  if (DistanceFromCentre(client) > kRadius) return -1;
  if (!shown_ && !alwaysShown_) {
    shown_ = true;
    Repaint();
  }
  if (!checkButtons) return 1;
  const Point p{client.x - (centre_.x - kRadius), client.y - (centre_.y - kRadius)};
  if (InRect(ConsoleArt::kPlusUpright, p) || InRect(ConsoleArt::kPlusCrossbar, p)) return 2;
  if (InRect(ConsoleArt::kMinusBar, p)) return 3;
  return 1;
}

bool ZoomConsole::RingHit(Point client) {
  if (!active_ || !shown_) return false;
  const double d = DistanceFromCentre(client);
  return d >= kRadius && d < kRingGrabOuter;
}

bool ZoomConsole::WheelOnRing(Point client) {
  if (!shown_) return false;
  const double d = DistanceFromCentre(client);
  return d >= kRadius && d < kRingGrabOuter;
}

bool ZoomConsole::LeftDown(Point client) {
  if (RingHit(client)) {
    drag_ = Drag::Ring;
    pressPoint_ = client;
    return true;
  }
  const int zone = HitTest(client, true);
  if (zone < 0) return false;
  if (zone == 2) {
    view_.ChangeZoom(1);
  } else if (zone == 3) {
    view_.ChangeZoom(-1);
  } else if (!active_) {
    active_ = true;
    Repaint();
  }
  drag_ = Drag::Console;
  pressPoint_ = client;
  grabOffset_ = {client.x - centre_.x, client.y - centre_.y};
  host_.ClearItemPanes();
  return true;
}

void ZoomConsole::DragTo(Point client) {
  switch (drag_) {
    case Drag::None: return;
    case Drag::Ring:
      RotateConsole(pressPoint_, client);
      pressPoint_ = client;
      return;
    case Drag::Console: {
      const Point c = Clamped({client.x - grabOffset_.x, client.y - grabOffset_.y});
      host_.DrawDragFrame({c.x - kRadius, c.y - kRadius, c.x + kRadius, c.y + kRadius}, kDragFrameColor);
      return;
    }
  }
}

void ZoomConsole::LeftUp(Point client) {
  const Drag drag = drag_;
  drag_ = Drag::None;
  if (drag != Drag::Console) return;
  host_.EraseDragFrame();
  MoveConsole(client.x - pressPoint_.x, client.y - pressPoint_.y);
}

bool ZoomConsole::DoubleClick(Point client) {
  if (DistanceFromCentre(client) > kRadius) return false;
  const bool wasShown = shown_ || alwaysShown_;
  const int zone = HitTest(client, true);  // shows a hidden console
  // The second click of a fast pair on + or - arrives as a double click and counts.
  if (wasShown && zone == 2) view_.ChangeZoom(1);
  if (wasShown && zone == 3) view_.ChangeZoom(-1);
  return true;
}

bool ZoomConsole::ClickElsewhere() {
  bool changed = false;
  if (active_) {
    active_ = false;
    changed = true;
  }
  if (!alwaysShown_ && shown_) {
    shown_ = false;
    changed = true;
  }
  return changed;
}

void ZoomConsole::WheelZoom(int step) { view_.ChangeZoom(step); }

void ZoomConsole::MoveConsole(int dx, int dy) {
  if (std::abs(dx) < 2 && std::abs(dy) < 2) return;
  centre_ = Clamped({centre_.x + dx, centre_.y + dy});
  Repaint();
  view_.MarkModified();
}

void ZoomConsole::RotateConsole(Point previous, Point point) {
  const double from = std::atan2(previous.y - centre_.y, previous.x - centre_.x);
  const double to = std::atan2(point.y - centre_.y, point.x - centre_.x);
  // atan2 jumps by a whole turn straight left of the centre: take the
  // difference the short way round.
  double turn = to - from;
  if (turn > std::numbers::pi) turn -= 2.0 * std::numbers::pi;
  if (turn < -std::numbers::pi) turn += 2.0 * std::numbers::pi;
  const int percent = static_cast<int>(turn * 100.0);
  if (percent != 0) view_.ChangeZoom(percent);
}

Point ZoomConsole::Clamped(Point centre) const {
  const platform::Size client = view_.ClientSize();
  // Without a client area yet (before the first layout) there is nothing to keep inside.
  if (client.cx <= 0 || client.cy <= 0) return centre;
  const int reach = kEdgeMargin + kRadius;
  // When the area is too small the lower limit wins.
  return {std::max(reach, std::min(centre.x, client.cx - reach)),
          std::max(reach, std::min(centre.y, client.cy - reach))};
}

void ZoomConsole::DrawConsole(platform::Canvas& canvas) {
  if (!shown_) return;
  centre_ = Clamped(centre_);
  if (picture_)
    canvas.DrawPicture(*picture_, {centre_.x - kRadius, centre_.y - kRadius, centre_.x + kRadius, centre_.y + kRadius},
                       ConsoleArt::kFaceKey);
  if (!active_) return;
  for (int k = 1; k < kRingRadius; ++k) {
    const double angle = 2.0 * std::numbers::pi * k / kRingRadius;
    const Point p{centre_.x + static_cast<int>(kRingRadius * std::cos(angle)),
                  centre_.y + static_cast<int>(kRingRadius * std::sin(angle))};
    const int level = 98 + 2 * k;
    canvas.Line(p, p, platform::Pen::Solid(level | (level << 8), 5));
  }
}

void ZoomConsole::RebuildConsole() {
  const int percent = view_.ZoomPercent();
  if (face_ && strip_) {
    const ConsoleBitmap composition = ConsoleArt::Compose(*face_, *strip_, percent);
    // A picture that cannot be made keeps the previous one on screen.
    if (auto picture = codec_.Decode(composition.EncodeBmp())) picture_ = std::move(picture);
  }
  host_.ShowZoomPane(std::to_string(percent) + "%");
}

bool ZoomConsole::RunCommand(int id) {
  switch (id) {
    case kCmdAlwaysShown:
      // Pinning shows the console; unpinning hides it until the pointer comes near.
      shown_ = !alwaysShown_;
      alwaysShown_ = !alwaysShown_;
      hiddenByScroll_ = false;
      Repaint();
      return true;
    case kCmdShowTopLeft:
      centre_ = kHome;
      shown_ = true;
      hiddenByScroll_ = false;
      Repaint();
      return true;
    default: return false;
  }
}

bool ZoomConsole::Checked(int id) const { return id == kCmdAlwaysShown && alwaysShown_; }

bool ZoomConsole::HideForScroll() {
  if (!shown_) return false;
  shown_ = false;
  hiddenByScroll_ = true;
  Repaint();
  return true;
}

bool ZoomConsole::ShowAfterScroll() {
  if (!hiddenByScroll_) return false;
  hiddenByScroll_ = false;
  shown_ = true;
  Repaint();
  return true;
}

}  // namespace plume::chartview
