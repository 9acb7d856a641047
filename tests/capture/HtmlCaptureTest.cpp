#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "capture/CapturePlan.h"
#include "capture/HtmlCapture.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/SettingsTable.h"

namespace plume::capture {
namespace {

using platform::PageCapture;
using platform::PixelImage;

/// A page whose row y has colour kStripe[y / stripe]; bands are cut from it
/// the way a browser scrolls (clamped at the page end), drawn `scale` times
/// as many pixels as the page has (a scaled screen).
struct FakePage : PageCapture {
  platform::Size viewport{900, 600};
  PageInfo info{OpenStatus::Ok, {500, 3000}};
  double scale = 1;
  int stripe = 500;
  bool failBands = false;
  Failure failure = Failure::Drawing;
  int opened = 0, closed = 0, bands = 0;
  long long largestBand = 0;

  static std::uint32_t Colour(int i) {
    static const std::uint32_t k[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFF00FFFF, 0xFFFF00FF};
    return k[i % 6];
  }
  platform::Size Drawn() const {
    return {static_cast<int>(info.size.cx * scale), static_cast<int>(info.size.cy * scale)};
  }
  platform::Size ViewportSize() override { return viewport; }
  std::optional<PixelImage> GrabVisible() override { return PixelImage(viewport.cx, viewport.cy, 0xFF336699); }
  PageInfo OpenPage() override {
    ++opened;
    PageInfo out = info;
    out.drawn = Drawn();
    return out;
  }
  std::optional<PixelImage> DrawBand(int top, int height, int& actualTop) override {
    if (failBands) return std::nullopt;
    ++bands;
    const platform::Size drawn = Drawn();
    actualTop = std::min(top, drawn.cy - height);
    PixelImage band(drawn.cx, height);
    largestBand = std::max(largestBand, static_cast<long long>(drawn.cx) * height);
    for (int y = 0; y < height; ++y)
      std::fill(band.Row(y), band.Row(y) + band.width, Colour(static_cast<int>((actualTop + y) / scale) / stripe));
    return band;
  }
  void ClosePage() override { ++closed; }
  Failure LastFailure() const override { return failure; }
};

struct KeptEncoder : convert::BitmapEncoder {
  PixelImage kept;
  int calls = 0;
  bool SaveBitmapToFile(const convert::BitmapView& b, int w, int h, const std::filesystem::path&, std::string_view) override {
    ++calls;
    kept = PixelImage(w, h);
    for (int y = 0; y < h; ++y)
      std::copy_n(b.pixels.begin() + static_cast<std::ptrdiff_t>(y) * b.stride, w, kept.Row(y));
    return true;
  }
};

class Capture : public ::testing::Test {
 protected:
  bool Whole(const CaptureProgress& progress = {}) { return capture.CaptureWholePage("/tmp/x.jpg", width, progress); }
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard{&sink};
  platform::MemorySettingsStore settings;
  FakePage page;
  KeptEncoder encoder;
  HtmlCapture capture{page, encoder, settings};
  std::uint16_t width = 0;
};

TEST_F(Capture, WholePageIsScaledToImageWidth) {
  const struct {
    int w, h, imageW, outH;
  } cases[] = {{500, 3000, 1000, 6000}, {1500, 3000, 1000, 2000}, {3, 10, 1000, 3333}};
  for (const auto& c : cases) {
    page.info.size = {c.w, c.h};
    platform::settings::Set(settings, platform::settings::KanSet::ImageW, c.imageW);
    ASSERT_TRUE(Whole()) << c.w << "x" << c.h;
    EXPECT_EQ(width, c.imageW);
    EXPECT_EQ(encoder.kept.width, c.imageW);
    EXPECT_EQ(encoder.kept.height, c.outH) << c.w << "x" << c.h;
  }
  EXPECT_EQ(page.opened, page.closed);
}

TEST_F(Capture, LongPageBandsLandWhereTheyBelong) {
  page.info.size = {1280, 60000};
  page.stripe = 1000;  // 60 stripes, cut across 15 bands, the last clamped
  ASSERT_TRUE(Whole());
  EXPECT_EQ(page.bands, 15);
  const PixelImage& out = encoder.kept;
  EXPECT_EQ(out.height, 46875) << "1,280 wide is the narrowest 60,000-row page that fits at 1000";
  const double perStripe = out.height / 60.0;
  for (int i = 0; i < 60; ++i) {
    const int y = static_cast<int>((i + 0.5) * perStripe);
    ASSERT_EQ(out.At(out.width / 2, y), FakePage::Colour(i)) << "stripe " << i;
  }
}

TEST_F(Capture, ResultTallerThanAJpegIsRefusedBeforeDrawing) {
  const platform::Size cases[] = {{1280, 90000}, {500, 70000}};  // 70,312 rows at 1000; 70,000 at its own width
  for (const auto& size : cases) {
    sink.Reset();
    page.info.size = size;
    EXPECT_FALSE(Whole());
    ASSERT_EQ(sink.Ids(), (std::vector<int>{30600})) << size.cx << "x" << size.cy;
  }
  EXPECT_EQ(encoder.calls, 0);
  EXPECT_EQ(page.bands, 0);
}

TEST_F(Capture, NarrowLongPageIsEnlargedOnlyAsFarAsAJpegHolds) {
  page.info.size = {500, 34867};  // a narrow HTML area: 69,734 rows at 1000 wide
  page.stripe = 1000;
  ASSERT_TRUE(Whole());
  EXPECT_EQ(width, 939);
  EXPECT_EQ(encoder.kept.width, 939);
  EXPECT_LE(encoder.kept.height, kMaxJpegRows);
  EXPECT_GT(encoder.kept.height, kMaxJpegRows - 100);
  EXPECT_TRUE(sink.Ids().empty());
}

TEST_F(Capture, FailuresShowTheirStepAndWriteNothing) {
  const struct {
    PageCapture::OpenStatus status;
    bool failBands;
    const char* tag;
    int id;
  } cases[] = {
      {PageCapture::OpenStatus::NoDocument, false, "[Get IHTMLDocument2]\n", 30003},
      {PageCapture::OpenStatus::NoRenderer, false, "[GetApplication]\n", 30003},
      {PageCapture::OpenStatus::Ok, true, "[Create CompatibleBitmap]\n", 30001},
      {PageCapture::OpenStatus::NoAnswer, false, "", 30602},
      {PageCapture::OpenStatus::TooWide, false, "", 30601},
      {PageCapture::OpenStatus::Ok, true, "", 30602},  // a band that never came: the page did not answer
  };
  for (const auto& c : cases) {
    sink.Reset();
    page.info.status = c.status;
    page.failBands = c.failBands;
    page.failure = c.id == 30602 ? PageCapture::Failure::NoAnswer : PageCapture::Failure::Drawing;
    EXPECT_FALSE(Whole());
    ASSERT_EQ(sink.Ids(), (std::vector<int>{c.id}));
    EXPECT_EQ(sink.Last().prefix, c.tag);
  }
  EXPECT_EQ(encoder.calls, 0);
  EXPECT_EQ(page.opened, page.closed) << "the off-screen page is closed on every path";
}

TEST_F(Capture, PageWithoutBodyIsTheClientWidthByAHundredRows) {
  page.info.status = PageCapture::OpenStatus::NoBody;
  page.failBands = true;
  ASSERT_TRUE(Whole());
  EXPECT_EQ(encoder.kept.width, 1000);
  EXPECT_EQ(encoder.kept.height, 111);  // 900 x 100 scaled to 1000 wide
  EXPECT_TRUE(sink.Ids().empty());
}

TEST_F(Capture, VisiblePartKeepsItsOwnSizeEachTime) {
  platform::settings::Set(settings, platform::settings::KanSet::ImageW, 300);
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(capture.CaptureVisiblePart("/tmp/v.jpg", width));
    EXPECT_EQ(width, 900);
    EXPECT_EQ(encoder.kept.width, 900);
    EXPECT_EQ(encoder.kept.height, 600);
  }
  EXPECT_EQ(encoder.calls, 2);
  EXPECT_EQ(page.opened, 0);
}

TEST_F(Capture, SharperBandsGiveThePictureOfTheRatioOne) {
  page.info.size = {1280, 12000};
  page.stripe = 1000;
  ASSERT_TRUE(Whole());
  const PixelImage atOne = encoder.kept;
  for (const double scale : {1.5, 2.0}) {
    page.scale = scale;
    ASSERT_TRUE(Whole()) << scale;
    ASSERT_EQ(encoder.kept.width, atOne.width) << scale;
    ASSERT_EQ(encoder.kept.height, atOne.height) << scale;
    for (int i = 0; i < 12; ++i) {
      const int y = static_cast<int>((i + 0.5) * atOne.height / 12.0);
      EXPECT_EQ(encoder.kept.At(500, y), atOne.At(500, y)) << "scale " << scale << " stripe " << i;
    }
  }
}

TEST_F(Capture, WidePageBandsStayWithinTheBandMemory) {
  page.info.size = {30000, 3000};
  page.stripe = 300;
  ASSERT_TRUE(Whole());
  EXPECT_LE(page.largestBand, kBandPixels);
  EXPECT_EQ(encoder.kept.width, 1000);
  EXPECT_EQ(encoder.kept.height, 100);
  EXPECT_EQ(encoder.kept.At(500, 5), FakePage::Colour(0));
  EXPECT_EQ(encoder.kept.At(500, 95), FakePage::Colour(9));
}

TEST_F(Capture, ProgressCountsBandsAndACancelWritesNothingSilently) {
  page.info.size = {1280, 60000};  // 15 bands
  std::vector<std::pair<int, int>> told;
  ASSERT_TRUE(Whole([&](int done, int total) {
    told.emplace_back(done, total);
    return true;
  }));
  ASSERT_EQ(told.size(), 15u);
  EXPECT_EQ(told.front(), std::make_pair(1, 15));
  EXPECT_EQ(told.back(), std::make_pair(15, 15));

  const int written = encoder.calls;
  page.bands = 0;
  EXPECT_FALSE(Whole([](int done, int) { return done < 2; }));
  EXPECT_EQ(page.bands, 2) << "no band after the cancel";
  EXPECT_EQ(encoder.calls, written);
  EXPECT_TRUE(sink.Ids().empty());
  EXPECT_EQ(page.opened, page.closed);
}

TEST(CapturePlan, BandsKeepOnlyRowsNotKeptBefore) {
  EXPECT_EQ(RowsToKeep(0, 0, 4000, 10000)->last, 4000);
  const auto clamped = RowsToKeep(8000, 6000, 4000, 10000);  // the last band is scrolled back
  ASSERT_TRUE(clamped);
  EXPECT_EQ(clamped->first, 2000);
  EXPECT_EQ(clamped->last, 4000);
  EXPECT_FALSE(RowsToKeep(4000, 4100, 4000, 10000)) << "a band below the rows kept leaves a gap";
  EXPECT_FALSE(RowsToKeep(10000, 6000, 4000, 10000)) << "nothing new";
}

TEST(CapturePlan, ScaledSizeEnlargesNarrowPagesOnlyAsFarAsAJpegHolds) {
  const struct {
    int w, h, imageW;
    std::optional<int> outW;
  } cases[] = {
      {1280, 34867, 1000, 1000}, {500, 3000, 1000, 1000}, {500, 34867, 1000, 939},
      {500, 65535, 1000, 500},   {500, 65536, 1000, {}},  {2000, 140000, 1000, {}},
  };
  for (const auto& c : cases) {
    const auto size = ScaledPageSize(c.w, c.h, c.imageW);
    ASSERT_EQ(size.has_value(), c.outW.has_value()) << c.w << "x" << c.h;
    if (!size) continue;
    EXPECT_EQ(size->width, *c.outW) << c.w << "x" << c.h;
    EXPECT_EQ(size->height, ScaledHeight(c.w, c.h, size->width));
    EXPECT_LE(size->height, kMaxJpegRows);
  }
}

}  // namespace
}  // namespace plume::capture
