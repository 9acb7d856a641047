// The zoom console: hit zones, button clicks and drags, the dial ring, the
// show and hide rules, its stored position, its commands, its pictures, and
// the view controller handing it the mouse first.

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <cstdlib>
#include <string>
#include <vector>

#include "ControllerFixture.h"
#include "chartview/ConsoleArt.h"
#include "chartview/ZoomConsole.h"
#include "platform/SettingsTable.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtPictureCodec.h"

namespace plume::chartview::testing {
namespace {

namespace settings = platform::settings;
using platform::CanvasOp;
using platform::IntRect;
using platform::Point;

/// Records what the console asks of its window.
struct RecordingConsoleHost : ConsoleHost {
  int itemPanesCleared = 0, erases = 0;
  std::vector<IntRect> frames;
  platform::CanvasColor frameColor = 0;
  std::string zoomPane;

  void DrawDragFrame(const IntRect& r, platform::CanvasColor c) override {
    frames.push_back(r);
    frameColor = c;
  }
  void EraseDragFrame() override { ++erases; }
  void ClearItemPanes() override { ++itemPanesCleared; }
  void ShowZoomPane(std::string_view text) override { zoomPane = text; }
};

/// The widget's part: zoom changes rebuild the console, paints draw it.
struct ForwardingViewHost : ViewHost {
  ZoomConsole* console = nullptr;
  void SetScrollExtent(platform::Size) override {}
  void ShowStatusPanes(std::string_view, std::string_view) override {}
  void RebuildConsole() override {
    if (console) console->RebuildConsole();
  }
  void DrawConsole(platform::Canvas& canvas) override {
    if (console) console->DrawConsole(canvas);
  }
};

class ZoomConsoleTest : public ChartFixture, public ::testing::Test {
 protected:
  ZoomConsoleTest() {
    platform::SetMessageSink(&sink);
    view.SetClientSize({800, 600});
    viewHost.console = &console;
    EXPECT_TRUE(console.CreateImages());
  }
  ~ZoomConsoleTest() override { platform::SetMessageSink(nullptr); }

  /// A client point given relative to the console's top-left corner.
  Point OnFace(int x, int y) const {
    const Point c = console.Centre();
    return {c.x - ZoomConsole::kRadius + x, c.y - ZoomConsole::kRadius + y};
  }
  Point FromCentre(int dx, int dy) const { return {console.Centre().x + dx, console.Centre().y + dy}; }

  void Down(Point p) { controller.LeftButtonDown({p, mouse::kLeft, p}); }
  void Move(Point p, int flags = mouse::kLeft) { controller.MouseMove({p, flags, p}); }
  void Up(Point p) { controller.LeftButtonUp({p, 0, p}); }

  platform::ScriptedMessageSink sink;
  platform::MemorySettingsStore store;
  platform::QtPictureCodec codec;
  ForwardingViewHost viewHost;
  ChartView view{*doc, store, viewHost};
  RecordingConsoleHost consoleHost;
  plume::testing::ChangeCounter changes{*doc};
  ZoomConsole console{view, store, consoleHost, codec};
  RecordingHost host;
  ViewController controller{view, host, &console};
};

TEST_F(ZoomConsoleTest, ZonesFollowTheButtonRectanglesWithin65Pixels) {
  EXPECT_EQ(console.Centre(), (Point{79, 79}));
  EXPECT_EQ(console.HitTest(OnFace(65, 20), true), 2);   // plus, centre
  EXPECT_EQ(console.HitTest(OnFace(50, 14), true), 2);   // plus crossbar, first pixel
  EXPECT_EQ(console.HitTest(OnFace(80, 20), true), 1);   // just right of the crossbar
  EXPECT_EQ(console.HitTest(OnFace(65, 35), true), 1);   // just below the upright
  EXPECT_EQ(console.HitTest(OnFace(79, 115), true), 3);  // minus, last pixel
  EXPECT_EQ(console.HitTest(OnFace(65, 20), false), 1);  // buttons not checked
  EXPECT_EQ(console.HitTest(FromCentre(65, 0), true), 1);
  EXPECT_EQ(console.HitTest(FromCentre(46, 47), true), -1);  // 65.8 pixels away
}

TEST_F(ZoomConsoleTest, PlusClickAddsOnePercentAndLeavesTheConsoleInPlace) {
  Down(OnFace(65, 20));
  Up(OnFace(65, 20));
  EXPECT_EQ(view.ZoomPercent(), 101);
  EXPECT_EQ(console.Centre(), (Point{79, 79}));
  EXPECT_EQ(consoleHost.zoomPane, "101%");
  EXPECT_EQ(consoleHost.itemPanesCleared, 1);
  EXPECT_FALSE(console.Active());  // only a body click activates it

  Down(OnFace(65, 110));
  Up(OnFace(66, 111));  // a one-pixel slip is no move
  EXPECT_EQ(view.ZoomPercent(), 100);
  EXPECT_EQ(console.Centre(), (Point{79, 79}));
}

TEST_F(ZoomConsoleTest, EveryClickOfAFastSeriesOnPlusOrMinusCounts) {
  // Qt reports the second press of a fast pair as a double click.
  for (int pair = 0; pair < 2; ++pair) {
    Down(OnFace(65, 20));
    Up(OnFace(65, 20));
    controller.LeftDoubleClick({OnFace(65, 20), mouse::kLeft, OnFace(65, 20)});
    Up(OnFace(65, 20));
  }
  Down(OnFace(65, 20));
  Up(OnFace(65, 20));
  // Five steps of one percent, as the zoom adds them up in single precision.
  float expected = 1.0f;
  for (int click = 0; click < 5; ++click) expected += 1 / 100.0f;
  EXPECT_FLOAT_EQ(view.Zoom(), expected);
  EXPECT_EQ(view.ZoomPercent(), 105);
  controller.LeftDoubleClick({OnFace(65, 110), mouse::kLeft, OnFace(65, 110)});
  EXPECT_FLOAT_EQ(view.Zoom(), expected - 1 / 100.0f);
  EXPECT_EQ(console.Centre(), (Point{79, 79}));
  EXPECT_FALSE(console.Active());
}

TEST_F(ZoomConsoleTest, PlusPressAndDragChangesTheZoomOnceAndMovesTheConsole) {
  const Point press = OnFace(65, 20);
  Down(press);
  const int repaints = changes.repaints;
  Move({press.x + 25, press.y});
  Move({press.x + 50, press.y});
  EXPECT_EQ(changes.repaints, repaints);  // feedback only while dragging
  ASSERT_EQ(consoleHost.frames.size(), 2u);
  EXPECT_EQ(consoleHost.frames.back(), (IntRect{64, 14, 194, 144}));
  EXPECT_EQ(consoleHost.frameColor, ZoomConsole::kDragFrameColor);
  Up({press.x + 50, press.y});
  EXPECT_EQ(view.ZoomPercent(), 101);
  EXPECT_EQ(console.Centre(), (Point{129, 79}));
  EXPECT_EQ(consoleHost.erases, 1);
  EXPECT_EQ(changes.modified, 2);  // the zoom, then the console's new place
}

TEST_F(ZoomConsoleTest, MovesAreClampedInsideTheClientArea) {
  console.MoveConsole(2000, -500);
  EXPECT_EQ(console.Centre(), (Point{800 - 70, 70}));
  console.MoveConsole(1, -1);  // below 2 pixels on both axes: ignored
  EXPECT_EQ(console.Centre(), (Point{730, 70}));
  EXPECT_EQ(changes.modified, 1);
  // Too small an area: the lower limit wins, and a paint stores the clamp.
  view.SetClientSize({100, 100});
  platform::RecordingCanvas canvas;
  console.DrawConsole(canvas);
  EXPECT_EQ(console.Centre(), (Point{70, 70}));
}

TEST_F(ZoomConsoleTest, BodyClickActivatesTheDialRing) {
  platform::RecordingCanvas before;
  console.DrawConsole(before);
  ASSERT_EQ(before.calls.size(), 1u);
  EXPECT_EQ(before.calls[0].op, CanvasOp::DrawPicture);
  EXPECT_EQ(before.calls[0].rect, (IntRect{14, 14, 144, 144}));
  EXPECT_EQ(before.calls[0].color, ConsoleArt::kFaceKey);
  EXPECT_EQ(before.calls[0].picture, console.CompositionPicture());
  EXPECT_FALSE(console.RingHit(FromCentre(69, 0)));

  Down(OnFace(30, 65));
  Up(OnFace(30, 65));
  EXPECT_TRUE(console.Active());
  EXPECT_TRUE(console.RingHit(FromCentre(69, 0)));
  EXPECT_TRUE(console.RingHit(FromCentre(0, -65)));
  EXPECT_FALSE(console.RingHit(FromCentre(74, 0)));
  platform::RecordingCanvas after;
  console.DrawConsole(after);
  const auto dots = after.Calls(CanvasOp::Line);
  ASSERT_EQ(dots.size(), 68u);
  EXPECT_EQ(dots[0].pen, platform::Pen::Solid(100 | (100 << 8), 5));
  EXPECT_EQ(dots[67].pen, platform::Pen::Solid(234 | (234 << 8), 5));
  EXPECT_EQ(dots[67].a, (Point{79 + 68, 79 - 6}));  // k = 68, just short of a full turn

  // A click elsewhere ends the active state; the pinned console stays.
  Down({400, 400});
  Up({400, 400});
  EXPECT_TRUE(console.Shown());
  EXPECT_FALSE(console.Active());
  EXPECT_FALSE(console.ClickElsewhere());  // nothing left to change
}

TEST_F(ZoomConsoleTest, RingDragTurnsTheZoomAndCrossingTheLeftSeamStaysSmall) {
  console.MoveConsole(200, 200);  // centre (279, 279)
  Down(FromCentre(30, 0));        // activate
  Up(FromCentre(30, 0));
  ASSERT_TRUE(console.Active());

  view.SetZoom(0.5f);
  Down(FromCentre(70, 0));
  EXPECT_TRUE(console.Dragging());
  Move(FromCentre(0, 70));  // a quarter turn clockwise on screen: +157 %
  EXPECT_NEAR(view.ZoomPercent(), 207, 1);
  Move(FromCentre(-70, 1));  // almost another quarter turn: +155 %
  EXPECT_NEAR(view.ZoomPercent(), 362, 1);
  view.SetZoom(2.0f);
  Move(FromCentre(-70, -1));  // across the seam straight left: +2 %, not -625 %
  EXPECT_NEAR(view.ZoomPercent(), 202, 1);
  Move(FromCentre(-70, 1));  // and back
  EXPECT_NEAR(view.ZoomPercent(), 200, 1);
  Up(FromCentre(-70, 1));
  EXPECT_FALSE(console.Dragging());
  EXPECT_EQ(console.Centre(), (Point{279, 279}));  // a ring drag never moves the console
}

TEST_F(ZoomConsoleTest, OnDemandConsoleShowsOnHoverAndHidesOnAClickElsewhere) {
  ASSERT_TRUE(console.RunCommand(ZoomConsole::kCmdAlwaysShown));  // unpin: hides
  EXPECT_FALSE(console.AlwaysShown());
  EXPECT_FALSE(console.Shown());
  platform::RecordingCanvas hidden;
  console.DrawConsole(hidden);
  EXPECT_TRUE(hidden.calls.empty());

  const int repaints = changes.repaints;
  Move({400, 400}, 0);
  EXPECT_FALSE(console.Shown());
  Move(FromCentre(40, 40), 0);  // 56.6 pixels from the centre
  EXPECT_TRUE(console.Shown());
  EXPECT_EQ(changes.repaints, repaints + 1);

  Down({400, 400});  // empty page space
  Up({400, 400});
  EXPECT_FALSE(console.Shown());
  // A double click near it shows it again and goes no further.
  controller.LeftDoubleClick({FromCentre(10, 10), mouse::kLeft, FromCentre(10, 10)});
  EXPECT_TRUE(console.Shown());
}

TEST_F(ZoomConsoleTest, OnDemandConsoleShowsOnHoverOverADocumentWithoutPages) {
  console.RunCommand(ZoomConsole::kCmdAlwaysShown);  // unpin: hidden
  ASSERT_FALSE(console.Shown());
  doc->header.pageCount = 0;
  Move({400, 400}, 0);
  EXPECT_FALSE(console.Shown());
  Move(FromCentre(40, 40), 0);
  EXPECT_TRUE(console.Shown());
}

TEST_F(ZoomConsoleTest, CommandsToggleAlwaysShownAndBringTheConsoleHome) {
  EXPECT_TRUE(console.Checked(ZoomConsole::kCmdAlwaysShown));
  console.MoveConsole(300, 300);
  console.RunCommand(ZoomConsole::kCmdAlwaysShown);  // unpin: hidden
  EXPECT_FALSE(console.Checked(ZoomConsole::kCmdAlwaysShown));
  ASSERT_FALSE(console.Shown());
  EXPECT_TRUE(console.RunCommand(ZoomConsole::kCmdShowTopLeft));
  EXPECT_EQ(console.Centre(), (Point{79, 79}));
  EXPECT_TRUE(console.Shown());
  console.RunCommand(ZoomConsole::kCmdAlwaysShown);  // pin again
  EXPECT_TRUE(console.AlwaysShown() && console.Shown());
  EXPECT_FALSE(console.RunCommand(ChartView::kCmdZoom200));
}

TEST_F(ZoomConsoleTest, PositionComesFromAndGoesBackToTheSettings) {
  settings::Set(store, settings::Last::ZoomX, 300);
  settings::Set(store, settings::Last::ZoomY, 200);
  ZoomConsole other(view, store, consoleHost, codec);
  EXPECT_EQ(other.Centre(), (Point{300, 200}));
  other.MoveConsole(-40, 25);
  other.SavePosition();
  EXPECT_EQ(settings::Get(store, settings::Last::ZoomX), 260);
  EXPECT_EQ(settings::Get(store, settings::Last::ZoomY), 225);
}

TEST_F(ZoomConsoleTest, ScrollingHidesTheConsoleOnlyWhileItLasts) {
  EXPECT_TRUE(console.HideForScroll());
  EXPECT_FALSE(console.Shown());
  EXPECT_TRUE(console.ShowAfterScroll());
  EXPECT_TRUE(console.Shown());
  console.RunCommand(ZoomConsole::kCmdAlwaysShown);  // hidden by the user, not by scrolling
  EXPECT_FALSE(console.HideForScroll());
  EXPECT_FALSE(console.ShowAfterScroll());
  EXPECT_FALSE(console.Shown());
}

TEST_F(ZoomConsoleTest, ControllerHandsTheConsoleItsClicksWheelAndMenu) {
  // A node under the console is not selected by a click on the plus button.
  const int under = AddNode({40, 20, 120, 60});
  Down(OnFace(65, 20));
  Up(OnFace(65, 20));
  EXPECT_EQ(view.ZoomPercent(), 101);
  EXPECT_FALSE(doc->nodeStates[under].selected);

  // Hovering the ring of the active console shows the dial cursor.
  Down(OnFace(30, 65));
  Up(OnFace(30, 65));
  Move(FromCentre(0, 70), 0);
  EXPECT_EQ(host.cursor, CursorRole::Dial);

  controller.Wheel({FromCentre(0, 70), mouse::kCtrl, false});
  EXPECT_EQ(view.ZoomPercent(), 102);
  controller.Wheel({FromCentre(0, 20), 0, false});  // inside the disc: scrolls
  EXPECT_EQ(view.ZoomPercent(), 102);

  host.facts.consoleAlwaysShown = console.Checked(ZoomConsole::kCmdAlwaysShown);
  controller.RightButtonUp({FromCentre(0, 0), 0, FromCentre(0, 0)});
  ASSERT_EQ(host.menus.size(), 1u);
  EXPECT_EQ(host.menus[0].id, MenuId::Zoom);
}

/// A codec that can make no picture.
struct FailingCodec : platform::PictureCodec {
  std::unique_ptr<platform::Picture> Decode(std::span<const std::uint8_t>) const override { return nullptr; }
};

TEST_F(ZoomConsoleTest, ConsoleWithoutPicturesRefusesAndDrawsNoFace) {
  FailingCodec failing;
  ZoomConsole broken(view, store, consoleHost, failing);
  EXPECT_FALSE(broken.CreateImages());
  EXPECT_EQ(sink.Ids(), std::vector<int>{30001});
  platform::RecordingCanvas canvas;
  broken.DrawConsole(canvas);
  EXPECT_TRUE(canvas.Calls(CanvasOp::DrawPicture).empty());
}

// --- the pictures ---

/// Bounding box of the pixels where `a` and `b` differ.
IntRect Difference(const ConsoleBitmap& a, const ConsoleBitmap& b) {
  IntRect box{a.Width(), a.Height(), 0, 0};
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.At(x, y) != b.At(x, y)) box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                                           std::max(box.bottom, y + 1)};
  return box;
}

TEST(ConsoleArt, DigitsAreWrittenCentredForOneTwoAndThreeDigits) {
  const ConsoleBitmap face = ConsoleArt::Face();
  const ConsoleBitmap strip = ConsoleArt::DigitStrip();
  EXPECT_EQ(face.At(0, 0), ConsoleArt::kFaceKey);
  EXPECT_EQ(strip.At(0, 0), ConsoleArt::kDigitKey);
  for (const int percent : {8, 88, 888}) {
    const IntRect box = Difference(ConsoleArt::Compose(face, strip, percent), face);
    const int digits = static_cast<int>(std::to_string(percent).size());
    const int left = ConsoleArt::FirstDigitLeft(digits);
    SCOPED_TRACE(percent);
    EXPECT_GE(box.left, left);
    EXPECT_LE(box.right, left + (digits - 1) * ConsoleArt::kDigitPitch + ConsoleArt::kDigitWidth);
    EXPECT_GE(box.top, ConsoleArt::kDigitTop);
    EXPECT_LE(box.bottom, ConsoleArt::kDigitTop + ConsoleArt::kDigitHeight);
    EXPECT_NEAR((box.left + box.right) / 2.0, 65.0, 2.0);
  }
}

TEST_F(ZoomConsoleTest, DrawnConsoleLeavesTheKeyTransparent) {
  QImage image(260, 200, QImage::Format_RGB32);
  image.fill(QColor(200, 210, 220));
  {
    platform::QtCanvas canvas(image);
    Down(OnFace(30, 65));  // active: with the ring
    Up(OnFace(30, 65));
    view.SetZoom(1.25f);
    console.DrawConsole(canvas);
  }
  if (const char* dir = std::getenv("PLUME_SHOT_DIR"))
    image.save(QString::fromUtf8(dir) + QStringLiteral("/zoom-console.png"));
  const Point c = console.Centre();
  EXPECT_EQ(image.pixelColor(c.x - 60, c.y - 60), QColor(200, 210, 220));  // key outside the disc
  const QColor plus = image.pixelColor(c.x, c.y - 45);
  EXPECT_GT(plus.blue(), 150);
  EXPECT_LT(plus.red(), 100);
  const QColor minus = image.pixelColor(c.x, c.y + 45);
  EXPECT_GT(minus.red(), 150);
  EXPECT_LT(minus.blue(), 100);
  const QColor digit = image.pixelColor(c.x, c.y);  // middle bar of the "2" of 125
  EXPECT_GT(digit.red(), 200);
  EXPECT_LT(digit.green(), 150);
  EXPECT_EQ(consoleHost.zoomPane, "125%");
}

}  // namespace
}  // namespace plume::chartview::testing
