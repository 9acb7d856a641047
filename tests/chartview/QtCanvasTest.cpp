#include "platform/qt/QtCanvas.h"

#include <gtest/gtest.h>

#include <QFontInfo>

#include "platform/qt/QtPictureCodec.h"
#include "platform/qt/QtScratchSurface.h"

namespace plume::platform {
namespace {

QImage Filled(int w, int h, QColor c) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(c);
  return image;
}

TEST(QtCanvas, MaskModeAndsOutlineAndKeepsInterior) {
  QImage image = Filled(40, 40, QColor(0x80, 0xFF, 0x0F));
  {
    QtCanvas canvas(image);
    canvas.SetMixMode(MixMode::Mask);
    const Pattern2x2 white{0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    canvas.Rectangle({5, 5, 35, 35}, Pen::Solid(0x00F0F0F0), Brush::FromPattern(white));
    canvas.SetMixMode(MixMode::Copy);
  }
  EXPECT_EQ(image.pixelColor(20, 20), QColor(0x80, 0xFF, 0x0F));  // interior unchanged
  EXPECT_EQ(image.pixelColor(5, 20), QColor(0x80, 0xF0, 0x00));   // frame ANDed with what was there
  EXPECT_EQ(image.pixelColor(2, 2), QColor(0x80, 0xFF, 0x0F));
}

TEST(QtCanvas, RectanglesCoverLeftTopButNotRightBottomAndFollowOrigin) {
  QImage image = Filled(30, 30, Qt::white);
  {
    QtCanvas canvas(image);
    canvas.SetOrigin({-10, 5});
    EXPECT_EQ(canvas.VisibleBounds(), (IntRect{10, -5, 40, 25}));
    canvas.Rectangle({12, 0, 20, 4}, Pen::None(), Brush::Solid(0x000000FF));
    canvas.FrameRect({10, 10, 20, 20}, 0);
  }
  EXPECT_EQ(image.pixelColor(2, 5), QColor(Qt::red));
  EXPECT_EQ(image.pixelColor(9, 8), QColor(Qt::red));
  EXPECT_EQ(image.pixelColor(10, 8), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(2, 9), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(0, 15), QColor(Qt::black));  // frame left edge at logical 10
  EXPECT_EQ(image.pixelColor(9, 24), QColor(Qt::black));  // bottom edge inside at logical 19
  EXPECT_EQ(image.pixelColor(5, 20), QColor(Qt::white));
}

TEST(QtCanvas, ScratchCopyLeavesOutTheTransparentKey) {
  QImage source = Filled(4, 4, QColor(255, 0, 255));
  source.setPixelColor(1, 1, QColor(10, 20, 30));
  QtPicture picture(source);
  QImage image = Filled(8, 8, Qt::white);
  QtScratchSurface scratch;
  {
    QtCanvas canvas(image);
    Canvas* s = scratch.Reset(canvas, {4, 4});
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(s->DrawPicture(picture, {0, 0, 4, 4}, kNoCanvasColor));
    ASSERT_TRUE(canvas.CopyFrom(*s, {0, 0, 4, 4}, {0, 0, 8, 8}, 0x00FF00FF));
  }
  EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(2, 2), QColor(10, 20, 30));  // stretched x2
  EXPECT_EQ(image.pixelColor(3, 3), QColor(10, 20, 30));
  EXPECT_EQ(scratch.Reset(QtCanvas(image), {0, 5}), nullptr);
}

TEST(QtCanvas, PictureOfAnotherKindCannotBeDrawn) {
  struct Foreign : Picture {
    int Width() const override { return 1; }
    int Height() const override { return 1; }
    Bytes EncodedBytes() const override { return {}; }
    Bytes BitmapFileCopy() const override { return {}; }
  } foreign;
  QImage image = Filled(4, 4, Qt::white);
  QtCanvas canvas(image);
  EXPECT_FALSE(canvas.DrawPicture(foreign, {0, 0, 4, 4}, kNoCanvasColor));
}

TEST(QtCanvas, MissingFaceFallsBackToPinnedJapaneseFace) {
  const QFont font = QtCanvas::ToQFont({"Meiryo UI", -11, 700});
  EXPECT_EQ(QFontInfo(font).family(), QString(QtCanvas::kFallbackFace));
  EXPECT_EQ(font.pixelSize(), 11);
  EXPECT_EQ(font.weight(), QFont::Bold);
  QImage image = Filled(10, 10, Qt::white);
  QtCanvas canvas(image);
  const Size extent = canvas.TextExtent("東京", {"Meiryo UI", -20, 400});
  EXPECT_GE(extent.cx, 36);  // two full-width characters
  EXPECT_GE(extent.cy, 20);
}

TEST(QtCanvas, DialDotIsAsWideAsThePen) {
  QImage image = Filled(20, 20, Qt::white);
  {
    QtCanvas canvas(image);
    canvas.Line({10, 10}, {10, 10}, Pen::Solid(0x000000FF, 5));
  }
  EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::red));
  EXPECT_EQ(image.pixelColor(12, 10), QColor(Qt::red));
  EXPECT_EQ(image.pixelColor(14, 10), QColor(Qt::white));
}

}  // namespace
}  // namespace plume::platform
