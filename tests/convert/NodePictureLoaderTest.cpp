#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "convert/NodePictureLoader.h"
#include "document/ChartFile.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/SettingsTable.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtPictureCodec.h"
#include "platform/qt/QtPixelCodec.h"
#include "tests/chartview/EditingFixture.h"

namespace plume::convert {
namespace {

namespace fs = std::filesystem;
using document::ColorRef;

fs::path TempFile(const std::string& name) { return fs::temp_directory_path() / ("plume_npl_" + name); }

fs::path SaveImage(const QImage& image, const std::string& name) {
  const fs::path path = TempFile(name);
  EXPECT_TRUE(image.save(QString::fromStdString(path.string())));
  return path;
}

// A 32-bit BMP of `pixels` (B, G, R, A each) in one row.
fs::path SaveBmp32(const std::vector<std::uint8_t>& pixels, const std::string& name) {
  const auto count = static_cast<std::uint32_t>(pixels.size() / 4);
  std::vector<std::uint8_t> b(54, 0);
  auto put = [&b](std::size_t at, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  b[0] = 'B', b[1] = 'M';
  put(2, static_cast<std::uint32_t>(54 + pixels.size()), 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, count, 4);
  put(22, 1, 4);
  put(26, 1, 2);
  put(28, 32, 2);
  put(34, static_cast<std::uint32_t>(pixels.size()), 4);
  b.insert(b.end(), pixels.begin(), pixels.end());
  const fs::path path = TempFile(name);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
  return path;
}

class NodePictures : public ::testing::Test {
 protected:
  std::unique_ptr<platform::Picture> Load(const fs::path& path, std::string_view type, bool fit = false) {
    trans = document::kNoColor;
    return loader.LoadNodePicture(path, type, fit, size, trans);
  }
  QImage Pixels(const platform::Picture& picture) { return platform::ToQImage(*codec.PicturePixels(picture)); }

  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard{&sink};
  platform::MemorySettingsStore settings;
  platform::QtPixelCodec codec;
  NodePictureLoader loader{codec, settings};
  NodePictureSize size;
  ColorRef trans = document::kNoColor;
};

TEST_F(NodePictures, RgbaPngFlattensOntoWhiteWithoutBackgroundChunk) {
  QImage image(3, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, qRgba(0, 0, 0, 0));
  image.setPixel(1, 0, qRgba(255, 0, 0, 128));
  image.setPixel(2, 0, qRgba(255, 255, 255, 255));
  const auto picture = Load(SaveImage(image, "rgba.png"), "PNG");
  ASSERT_TRUE(picture);
  EXPECT_EQ(trans, 0x00FFFFFF);
  const QImage out = Pixels(*picture);
  EXPECT_EQ(out.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(out.pixel(1, 0) & 0xFFFFFF, 0xFF7E7Eu);
  EXPECT_EQ(out.pixel(2, 0) & 0xFFFFFF, 0xFFF7FFu) << "an opaque pixel on the key moves off it";
}

TEST_F(NodePictures, PalettePngTakesTheFirstTransparentEntry) {
  QImage image(2, 2, QImage::Format_Indexed8);
  image.setColorTable({qRgba(255, 0, 0, 255), qRgba(0, 255, 0, 255), qRgba(7, 8, 9, 0), qRgba(0, 0, 255, 255)});
  image.setPixel(0, 0, 0), image.setPixel(1, 0, 2), image.setPixel(0, 1, 3), image.setPixel(1, 1, 1);
  const auto picture = Load(SaveImage(image, "pal.png"), "PNG");
  ASSERT_TRUE(picture);
  EXPECT_EQ(trans, document::Rgb(7, 8, 9));
  EXPECT_EQ(Pixels(*picture).pixel(1, 0) & 0xFFFFFF, 0x070809u);
}

TEST_F(NodePictures, OpaqueImagesComeBackAsJpegWithoutKey) {
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(qRgb(10, 200, 30));
  for (const char* name : {"opaque.png", "opaque.bmp"}) {
    const auto picture = Load(SaveImage(image, name), name[7] == 'p' ? "PNG" : "BMP");
    ASSERT_TRUE(picture) << name;
    EXPECT_EQ(trans, document::kNoColor) << name;
    const auto bytes = picture->EncodedBytes();
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xD8) << name << " is shown re-encoded as JPEG";
  }
}

TEST_F(NodePictures, Bmp32KeyIsTheFirstPixelMarkedClearAndPixelsStayExact) {
  const auto picture = Load(SaveBmp32({30, 20, 10, 255, 60, 50, 40, 237, 90, 80, 70, 0}, "key.bmp"), "BMP");
  ASSERT_TRUE(picture);
  EXPECT_EQ(trans, document::Rgb(40, 50, 60));
  const QImage out = Pixels(*picture);
  EXPECT_EQ(out.pixel(0, 0) & 0xFFFFFF, 0x0A141Eu);
  EXPECT_EQ(out.pixel(1, 0) & 0xFFFFFF, 0x28323Cu);
}

TEST_F(NodePictures, FittingKeepsThePixelSizeAndTruncatesTheHeight) {
  QImage wide(3000, 500, QImage::Format_RGB32);
  wide.fill(Qt::darkCyan);
  const auto picture = Load(SaveImage(wide, "wide.png"), "PNG", true);
  ASSERT_TRUE(picture);
  EXPECT_EQ(size.pixelWidth, 3000);
  EXPECT_EQ(size.pixelHeight, 500);
  EXPECT_EQ(size.displayWidth, 150);
  EXPECT_EQ(size.displayHeight, 25);
  EXPECT_EQ(picture->Width(), 150);
  EXPECT_EQ(picture->Height(), 25);
}

TEST_F(NodePictures, TransparentPngShowsThePageThroughItsKey) {
  QImage image(120, 120, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(30, 60, 200));
  p.setPen(Qt::NoPen);
  p.drawEllipse(10, 10, 100, 100);
  p.end();
  const auto picture = Load(SaveImage(image, "disc.png"), "PNG");
  ASSERT_TRUE(picture);
  QImage page(200, 160, QImage::Format_RGB32);
  page.fill(qRgb(250, 220, 120));
  {
    platform::QtCanvas canvas(page);
    ASSERT_TRUE(canvas.DrawPicture(*picture, {40, 20, 160, 140}, trans));
  }
  if (const char* dir = std::getenv("PLUME_SHOT_DIR")) page.save(QString(dir) + "/transparent-node.png");
  EXPECT_EQ(page.pixel(42, 22), qRgb(250, 220, 120)) << "the clear corner shows the page";
  EXPECT_EQ(page.pixel(100, 80), qRgb(30, 60, 200));
}

TEST_F(NodePictures, FileThatIsNoPictureShowsItsPath) {
  const fs::path path = TempFile("not.jpeg");
  std::ofstream(path) << "plain text";
  EXPECT_FALSE(Load(path, "JPEG"));
  ASSERT_EQ(sink.Ids(), (std::vector<int>{30028}));
  EXPECT_EQ(sink.Last().prefix, path.string() + "\n");
  document::ColorRef quiet = 0;
  EXPECT_FALSE(loader.LoadNodePicture(path, quiet)) << "the reload after a resize says nothing";
  EXPECT_EQ(sink.Ids().size(), 1u);
}

// A picture node whose master file is damaged keeps its picture through a
// resize, and the saved chart still holds the picture's bytes.
class DamagedMaster : public chartview::testing::EditingFixture {};

TEST_F(DamagedMaster, ResizeKeepsThePictureAndSaveWritesIt) {
  QImage image(100, 50, QImage::Format_RGB32);
  image.fill(qRgb(200, 40, 40));
  const platform::Bytes jpeg = platform::EncodeImage(image, "JPEG", 90);
  const fs::path master = TempFile("master.JPEG");
  for (const std::size_t keep : {std::size_t{0}, std::size_t{300}}) {  // no image at all; cut in its header
    std::ofstream(master, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(jpeg.data()), static_cast<std::streamsize>(keep));
    materials.file = master;
    platform::QtPixelCodec codec;
    NodePictureLoader real(codec, store);
    editing.SetPictureLoader(&real);
    doc->nodeCount = 0;
    const int n = Node({100, 100, 200, 150});
    doc->nodes[n].hasImage = 1;
    platform::CopyToField(doc->nodes[n].dataType, "JPEG");
    doc->nodes[n].image = doc->pictures.Add(platform::QtPictureCodec().Decode(jpeg));
    Select(n);
    DragFromTo(201, 125, 300, 125);
    ASSERT_NE(doc->nodes[n].rect, (document::Rect{100, 100, 200, 150})) << "the node was resized";
    EXPECT_TRUE(sink.Ids().empty()) << "no message after a resize";
    ASSERT_NE(doc->NodePicture(n), nullptr);

    std::stringstream file;
    ASSERT_TRUE(document::WriteChart(*doc, file));
    doc->NewDocument();
    ASSERT_TRUE(document::ReadChart(*doc, file, platform::QtPictureCodec()));
    ASSERT_NE(doc->NodePicture(0), nullptr) << "kept " << keep;
    EXPECT_EQ(doc->NodePicture(0)->EncodedBytes(), jpeg);
    editing.SetPictureLoader(nullptr);
  }
}

}  // namespace
}  // namespace plume::convert
