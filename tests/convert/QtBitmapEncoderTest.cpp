#include <gtest/gtest.h>

#include <QColor>
#include <QImageReader>
#include <QPainter>
#include <cstdlib>

#include "tests/support/PdfTestFiles.h"
#include "convert/ui/QtBitmapEncoder.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/SettingsTable.h"

namespace plume::convert::ui {
namespace {

using platform::ScopedMessageSink;
using platform::ScriptedMessageSink;
using test::TempFolder;

QImage Gradient(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x * 255 / (w - 1), y * 255 / (h - 1), (x + y) % 256));
  return image;
}

QImage FourColours() {
  QImage image(40, 20, QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.fillRect(0, 0, 10, 20, QColor(200, 10, 10));
  p.fillRect(10, 0, 10, 20, QColor(10, 200, 10));
  p.fillRect(20, 0, 10, 20, QColor(10, 10, 200));
  return image;
}

class QtBitmapEncoderTest : public ::testing::Test {
 protected:
  QImage ReadBack(const std::string& name, QByteArray* format = nullptr) {
    QImageReader reader(QString::fromStdString((folder_ / name).string()));
    if (format) *format = reader.format();
    return reader.read();
  }

  TempFolder folder_;
  platform::MemorySettingsStore settings_;
  QtBitmapEncoder encoder_{settings_};
  ScriptedMessageSink sink_;
  ScopedMessageSink guard_{&sink_};
};

TEST_F(QtBitmapEncoderTest, WritesEveryTypeStretchedToTheRequestedSize) {
  const QImage source = Gradient(60, 40);
  struct Case {
    const char* type;
    const char* format;  // what Qt's reader says the file is
  };
  for (const Case c : {Case{"JPEG", "jpeg"}, Case{"jpeg", "jpeg"}, Case{"JPG", "jpeg"}, Case{"PNG", "png"},
                       Case{"BMP", "bmp"}, Case{"GIF", "gif"}, Case{"TIFF", "tiff"}, Case{"tif", "tiff"}}) {
    const std::string name = std::string("out-") + c.type;
    ASSERT_TRUE(encoder_.SaveBitmapToFile(source, 90, 25, folder_ / name, c.type)) << c.type;
    QByteArray format;
    const QImage back = ReadBack(name, &format);
    EXPECT_EQ(back.size(), QSize(90, 25)) << c.type;
    EXPECT_EQ(format, QByteArray(c.format)) << c.type;
  }
  EXPECT_TRUE(sink_.Messages().empty());
}

TEST_F(QtBitmapEncoderTest, TakesTheJpegQualityFromTheSettings) {
  const QImage source = Gradient(200, 200);
  platform::settings::Set(settings_, platform::settings::KanSet::Quality, 100);
  ASSERT_TRUE(encoder_.SaveBitmapToFile(source, 200, 200, folder_ / "high.jpeg", "JPEG"));
  platform::settings::Set(settings_, platform::settings::KanSet::Quality, 40);
  ASSERT_TRUE(encoder_.SaveBitmapToFile(source, 200, 200, folder_ / "low.jpeg", "JPEG"));
  EXPECT_GT(std::filesystem::file_size(folder_ / "high.jpeg"), 2 * std::filesystem::file_size(folder_ / "low.jpeg"));
}

TEST_F(QtBitmapEncoderTest, AnUnknownTypeOrAnUnwritablePathGivesFalseSilentlyAndKeepsTheFile) {
  test::WriteFile(folder_ / "kept.xyz", "before");
  EXPECT_FALSE(encoder_.SaveBitmapToFile(Gradient(8, 8), 8, 8, folder_ / "kept.xyz", "XYZ"));
  EXPECT_FALSE(encoder_.SaveBitmapToFile(Gradient(8, 8), 8, 8, folder_ / "none.ico", "ICO"));
  EXPECT_FALSE(encoder_.SaveBitmapToFile(Gradient(8, 8), 8, 8, folder_ / "no" / "x.png", "PNG"));
  EXPECT_FALSE(encoder_.SaveBitmapToFile(Gradient(8, 8), 0, 8, folder_ / "kept.xyz", "PNG"));
  EXPECT_TRUE(sink_.Messages().empty());
  EXPECT_EQ(test::ReadFile(folder_ / "kept.xyz"), "before");
  EXPECT_FALSE(std::filesystem::exists(folder_ / "none.ico"));
}

TEST_F(QtBitmapEncoderTest, GifKeepsAFewColoursExactlyAndQuantisesManyClosely) {
  const QImage flat = FourColours();
  ASSERT_TRUE(encoder_.SaveBitmapToFile(flat, 40, 20, folder_ / "flat.gif", "GIF"));
  const QImage flatBack = ReadBack("flat.gif").convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(flatBack, flat);

  const QImage many = Gradient(128, 128);  // thousands of colours
  ASSERT_TRUE(encoder_.SaveBitmapToFile(many, 128, 128, folder_ / "many.gif", "GIF"));
  const QImage back = ReadBack("many.gif").convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(back.size(), many.size());
  long long error = 0;
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      const QRgb a = many.pixel(x, y), b = back.pixel(x, y);
      error += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
    }
  // Mean error per channel below 8 levels of 255.
  EXPECT_LT(error, 128LL * 128 * 3 * 8);
}

TEST_F(QtBitmapEncoderTest, ReadsAPlainPixelViewWithItsStride) {
  // 3 x 2 pixels in rows of 4.
  const std::vector<std::uint32_t> pixels = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xDEADBEEF,
                                             0xFFFFFFFF, 0xFF000000, 0xFF808080, 0xDEADBEEF};
  const BitmapView view{3, 2, 4, pixels};
  BitmapEncoder& core = encoder_;
  ASSERT_TRUE(core.SaveBitmapToFile(view, 3, 2, folder_ / "view.png", "PNG"));
  const QImage back = ReadBack("view.png").convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(back.size(), QSize(3, 2));
  EXPECT_EQ(back.pixel(2, 0), 0xFF0000FFu);
  EXPECT_EQ(back.pixel(0, 1), 0xFFFFFFFFu);
  EXPECT_EQ(back.pixel(2, 1), 0xFF808080u);
  // A view shorter than its size says is refused.
  const BitmapView tooShort{3, 3, 4, pixels};
  EXPECT_FALSE(core.SaveBitmapToFile(tooShort, 3, 3, folder_ / "short.png", "PNG"));
}

}  // namespace
}  // namespace plume::convert::ui
