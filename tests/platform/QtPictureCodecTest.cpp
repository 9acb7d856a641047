#include "platform/qt/QtPictureCodec.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace plume::platform {
namespace {

QImage Checkers() {
  QImage image(33, 17, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      image.setPixel(x, y, ((x / 4 + y / 4) % 2) ? qRgb(200, 30, 30) : qRgb(20, 20, 220));
  return image;
}

TEST(QtPictureCodec, KeepsTheEncodedBytesItDecoded) {
  const Bytes png = EncodeImage(Checkers(), "PNG");
  ASSERT_FALSE(png.empty());
  auto picture = QtPictureCodec().Decode(png);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Width(), 33);
  EXPECT_EQ(picture->Height(), 17);
  EXPECT_EQ(picture->EncodedBytes(), png);
}

TEST(QtPictureCodec, BitmapCopyOfAPictureWithoutBytesDecodesToTheSameImage) {
  QtPicture made(Checkers());
  EXPECT_TRUE(made.EncodedBytes().empty());
  const Bytes bmp = made.BitmapFileCopy();
  ASSERT_GT(bmp.size(), 2u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  auto back = QtPictureCodec().Decode(bmp);
  ASSERT_TRUE(back);
  auto* qt = dynamic_cast<QtPicture*>(back.get());
  ASSERT_TRUE(qt);
  EXPECT_EQ(qt->Image().convertToFormat(QImage::Format_RGB32), Checkers());
}

TEST(QtPictureCodec, RefusesWhatIsNoPicture) {
  EXPECT_FALSE(QtPictureCodec().Decode(Bytes{}));
  EXPECT_FALSE(QtPictureCodec().Decode(Bytes{'n', 'o', 'p', 'e'}));
  Bytes jpegHeadOnly{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10};
  EXPECT_FALSE(QtPictureCodec().Decode(jpegHeadOnly));
}

}  // namespace
}  // namespace plume::platform

