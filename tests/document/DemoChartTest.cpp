// The demonstration charts through a pixel codec that keeps what it is given:
// the painted pictures arrive whole and every arc joins nodes of the chart.
#include "document/DemoChart.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>

#include "support/FakePicture.h"

namespace plume::document {
namespace {

using platform::Bytes;
using platform::PixelImage;

std::uint32_t Le32(const Bytes& b, std::size_t at) {
  std::uint32_t v = 0;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

/// JPEG "encoding" keeps the size; bitmap files are checked against their header.
class CheckingCodec : public platform::PixelCodec {
 public:
  std::optional<PixelImage> Decode(std::span<const std::uint8_t>) const override { return std::nullopt; }
  std::unique_ptr<platform::Picture> DecodePicture(std::span<const std::uint8_t> bytes) const override {
    const Bytes b(bytes.begin(), bytes.end());
    if (b.size() >= 5 && b[0] == 'I') return std::make_unique<testing::FakePicture>(b[3], b[4], b);
    // A 24-bit bitmap: rows padded to 4 bytes, the bottom row first, its first pixel magenta.
    EXPECT_EQ(b[0], 'B');
    const int w = static_cast<int>(Le32(b, 18)), h = static_cast<int>(Le32(b, 22));
    EXPECT_EQ(Le32(b, 2), b.size());
    EXPECT_EQ(b.size(), 54u + static_cast<std::size_t>((w * 3 + 3) / 4 * 4) * h);
    EXPECT_EQ(Bytes(b.begin() + 54, b.begin() + 57), (Bytes{255, 0, 255}));
    ++bitmaps;
    return std::make_unique<testing::FakePicture>(w, h, b);
  }
  std::unique_ptr<platform::Picture> MakePicture(const PixelImage&) const override { return nullptr; }
  std::optional<PixelImage> PicturePixels(const platform::Picture&) const override { return std::nullopt; }
  Bytes EncodeJpeg(const PixelImage& image, int) const override {
    EXPECT_EQ(image.pixels.size(), static_cast<std::size_t>(image.width) * image.height);
    return testing::FakeImageBytes(image.width, image.height);
  }
  int ScreenBitsPerPixel() const override { return 32; }
  mutable int bitmaps = 0;
};

TEST(DemoChart, PicturesArriveWholeAndEveryArcJoinsNodesOfTheChart) {
  using Fill = void (*)(ChartDocument&, const platform::PixelCodec&);
  struct Case {
    Fill fill;
    int pages;
  };
  for (const Case& c : {Case{FillDemoChart, 6}, Case{FillSmallDemoChart, 3}}) {
    auto doc = ChartDocument::Create();
    ASSERT_NE(doc, nullptr);
    CheckingCodec codec;
    c.fill(*doc, codec);
    EXPECT_EQ(doc->header.pageCount, c.pages);
    EXPECT_EQ(codec.bitmaps, 1);
    std::set<std::int32_t> ids;
    int pictures = 0;
    for (int i = 0; i < doc->nodeCount; ++i) {
      ids.insert(doc->nodes[i].nodeId);
      if (doc->nodes[i].hasImage) {
        ASSERT_NE(doc->NodePicture(i), nullptr);
        EXPECT_GT(doc->NodePicture(i)->Width(), 100);
        ++pictures;
      }
    }
    EXPECT_EQ(pictures, 2);
    for (int a = 0; a < doc->arcCount; ++a) {
      EXPECT_TRUE(ids.count(doc->arcs[a].fromNode) && ids.count(doc->arcs[a].toNode)) << a;
    }
  }
}

}  // namespace
}  // namespace plume::document
