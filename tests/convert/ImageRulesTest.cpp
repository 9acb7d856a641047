#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "convert/BmpTransparency.h"
#include "convert/PixelScaling.h"
#include "convert/PngTransparency.h"
#include "convert/RowScaler.h"
#include "convert/TransparencyRules.h"

namespace plume::convert {
namespace {

using Bytes = std::vector<std::uint8_t>;
using platform::PixelImage;

void Append(Bytes& b, std::initializer_list<int> values) {
  for (int v : values) b.push_back(static_cast<std::uint8_t>(v));
}
void AppendText(Bytes& b, const std::string& s) { b.insert(b.end(), s.begin(), s.end()); }

// Signature, an IHDR of `colourType` and the extra chunk bytes (lengths are not checked by the reader).
Bytes Png(int colourType, const Bytes& extra = {}) {
  Bytes b{137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13};
  AppendText(b, "IHDR");
  Append(b, {0, 0, 0, 4, 0, 0, 0, 4, 8, colourType, 0, 0, 0, 1, 2, 3, 4});
  b.insert(b.end(), extra.begin(), extra.end());
  return b;
}
Bytes Chunk(const std::string& letters, std::initializer_list<int> data) {
  Bytes b{0, 0, 0, static_cast<std::uint8_t>(data.size())};
  AppendText(b, letters);
  Append(b, data);
  return b;
}
Bytes Cat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(PngTransparency, FindsTheKeyOfEachColourType) {
  const struct {
    const char* name;
    Bytes bytes;
    document::ColorRef colour;
  } cases[] = {
      {"RGBA without bKGD: white", Png(6), 0x00FFFFFF},
      {"RGBA with bKGD: low bytes", Png(6, Chunk("bKGD", {1, 0x11, 2, 0x22, 3, 0x33})), document::Rgb(0x11, 0x22, 0x33)},
      {"grey alpha with bKGD", Png(4, Chunk("bKGD", {0, 0x40})), document::Rgb(0x40, 0x40, 0x40)},
      {"palette: first index not fully opaque",
       Png(3, Cat(Chunk("PLTE", {1, 2, 3, 4, 5, 6, 7, 8, 9}), Chunk("tRNS", {255, 255, 0}))), document::Rgb(7, 8, 9)},
      {"palette all opaque", Png(3, Cat(Chunk("PLTE", {1, 2, 3}), Chunk("tRNS", {255}))), document::kNoColor},
      {"RGB with tRNS: none", Png(2, Chunk("tRNS", {0, 1, 0, 2, 0, 3})), document::kNoColor},
      {"palette index past the end of the file", Png(3, Cat(Chunk("tRNS", {255, 0}), Chunk("PLTE", {1, 2, 3}))),
       document::kNoColor},
  };
  for (const auto& c : cases) {
    document::ColorRef colour = 5;
    EXPECT_EQ(PngTransparencyOf(c.bytes, colour), PngTransparencyStatus::Ok) << c.name;
    EXPECT_EQ(colour, c.colour) << c.name;
  }
}

TEST(PngTransparency, RefusesWrongSignatureAndMissingHeader) {
  document::ColorRef colour = 0;
  Bytes notPng = Png(6);
  notPng[1] = 'Q';
  EXPECT_EQ(PngTransparencyOf(notPng, colour), PngTransparencyStatus::NotPng);
  EXPECT_EQ(colour, document::kNoColor);
  Bytes cut = Png(6);
  cut.resize(cut.size() - 10);  // IHDR letters present, colour type byte gone
  EXPECT_EQ(PngTransparencyOf(cut, colour), PngTransparencyStatus::NoColourType);
  EXPECT_EQ(PngTransparencyOf(Bytes(cut.begin(), cut.begin() + 8), colour), PngTransparencyStatus::NoColourType);
}

// A 32-bit BMP whose pixel data holds `pixels` (B, G, R, A each).
Bytes Bmp32(const Bytes& pixels, int depth = 32) {
  Bytes b(54, 0);
  b[0] = 'B', b[1] = 'M';
  b[10] = 54;
  b[28] = static_cast<std::uint8_t>(depth);
  b[34] = static_cast<std::uint8_t>(pixels.size());
  return Cat(b, pixels);
}

TEST(BmpTransparency, TakesTheFirstPixelMarkedClear) {
  document::ColorRef colour = 0;
  EXPECT_EQ(BmpTransparencyOf(Bmp32({1, 2, 3, 255, 30, 20, 10, 237, 9, 9, 9, 0}), colour), BmpTransparencyStatus::Ok);
  EXPECT_EQ(colour, document::Rgb(10, 20, 30));
  EXPECT_EQ(BmpTransparencyOf(Bmp32({1, 2, 3, 255, 4, 5, 6, 0}, 24), colour), BmpTransparencyStatus::Ok);
  EXPECT_EQ(colour, document::kNoColor) << "only 32-bit files mark pixels";
  Bytes lying = Bmp32({1, 2, 3, 255});
  lying[34] = 200;  // claims more pixels than the file holds
  EXPECT_EQ(BmpTransparencyOf(lying, colour), BmpTransparencyStatus::Ok);
  EXPECT_EQ(colour, document::kNoColor);
  EXPECT_EQ(BmpTransparencyOf(Bytes{'P', 'M', 0}, colour), BmpTransparencyStatus::NotBmp);
}

TEST(TransparencyRules, FlattenMixesTruncatesAndKeepsOpaquePixelsOffTheKey) {
  const struct {
    std::uint32_t pixel;
    document::ColorRef key;
    std::uint32_t flat;
  } cases[] = {
      {0x80FF0000, 0x00FFFFFF, 0xFFFF7E7E},  // (255, 0, 0, 128) onto white: (255, 126, 126)
      {0x00123456, 0x00FFFFFF, 0xFFFFFFFF},  // clear: the key
      {0xFFFFFFFF, 0x00FFFFFF, 0xFFFFF7FF},  // opaque key colour: green down 8
      {0xFF000400, document::Rgb(0, 4, 0), 0xFF000C00},  // green below 8 moves up
      {0xFF102030, 0x00FFFFFF, 0xFF102030},
  };
  for (const auto& c : cases) {
    PixelImage image(1, 1, c.pixel);
    FlattenOntoKey(image, c.key);
    EXPECT_EQ(image.pixels[0], c.flat) << std::hex << c.pixel;
  }
}

TEST(TransparencyRules, LowColourScreensKeepPixelsOffTheKey) {
  PixelImage image(4, 1);
  image.pixels = {0xFFF0F5FF, 0xFFFFFFFF, 0xFF0A0A0A, 0x00123456};
  document::ColorRef key = 0x00FFFFFF;
  PixelImage white = image;
  ApplyLowColourRules(white, key);
  EXPECT_EQ(white.pixels, (std::vector<std::uint32_t>{0xFFFFF7FF, 0xFFFFFFFF, 0xFF0A0A0A, 0x00123456}));
  key = 0;
  PixelImage black = image;
  ApplyLowColourRules(black, key);
  EXPECT_EQ(black.pixels[2], 0xFF000800u);
  key = document::Rgb(1, 2, 3);
  ApplyLowColourRules(image, key);
  EXPECT_EQ(key, 0x00FFFFFF);
  EXPECT_EQ(image.pixels, (std::vector<std::uint32_t>{0xFFF0F5FF, 0xFFFFF7FF, 0xFF0A0A0A, 0x00FFFFFF}));
}

TEST(RowScaler, KeepsEveryStripeWhereItBelongs) {
  // 8 stripes of 50 rows, shrunk to 200 rows and enlarged to 1000: each
  // output row's colour is the stripe of its centre, except at the borders.
  const std::uint32_t colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00,
                                   0xFF00FFFF, 0xFFFF00FF, 0xFF000000, 0xFFFFFFFF};
  PixelImage src(30, 400);
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 30; ++x) src.At(x, y) = colours[y / 50];
  for (int height : {200, 1000}) {
    const PixelImage out = ScaleSmooth(src, 17, height);
    ASSERT_EQ(out.height, height);
    const int stripe = height / 8;
    for (int y = 0; y < height; ++y) {
      if (y % stripe == 0 || y % stripe == stripe - 1) continue;
      ASSERT_EQ(out.At(8, y), colours[y / stripe]) << "height " << height << " row " << y;
    }
  }
}

TEST(PixelScaling, StretchNearestMakesNoNewColours) {
  PixelImage src(2, 1);
  src.pixels = {0xFF000000, 0xFFFFFFFF};
  const PixelImage out = StretchNearest(src, 5, 3);
  for (const auto p : out.pixels) EXPECT_TRUE(p == 0xFF000000 || p == 0xFFFFFFFF);
  EXPECT_EQ(out.At(0, 2), 0xFF000000u);
  EXPECT_EQ(out.At(4, 0), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace plume::convert
