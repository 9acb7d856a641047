#include "chartview/PageThumbnail.h"

#include <gtest/gtest.h>

#include "document/ChartBuilder.h"
#include "platform/RecordingCanvas.h"

namespace plume::chartview {
namespace {

TEST(PageThumbnail, ThePageFitsTheSquareInItsShapeNeverEnlargedAndTinyZoomsPaintLarger) {
  const struct {
    int width, height, side;
    platform::Size size;
    float paintZoom;
    platform::Size paintSize;
  } cases[] = {
      {1000, 1000, 256, {256, 256}, 0.256f, {256, 256}},
      {2000, 500, 256, {256, 64}, 0.128f, {256, 64}},
      {5000, 1000, 256, {256, 51}, 0.08f, {400, 80}},  // painted at the smallest zoom, then scaled
      {500, 300, 1024, {500, 300}, 1.0f, {500, 300}},  // a small page keeps its size
      {1000, 1000, 1, {1, 1}, 0.08f, {80, 80}},
  };
  auto doc = document::ChartDocument::Create();
  doc->NewDocument();
  for (const auto& c : cases) {
    doc->pages[0].pageWidth = static_cast<std::uint16_t>(c.width);
    doc->pages[0].pageHeight = static_cast<std::uint16_t>(c.height);
    const ThumbnailPlan plan = PlanThumbnail(*doc, 0, c.side);
    EXPECT_EQ(plan.size, c.size) << c.width << "x" << c.height << " in " << c.side;
    EXPECT_FLOAT_EQ(plan.paintZoom, c.paintZoom) << c.width << "x" << c.height << " in " << c.side;
    EXPECT_EQ(plan.paintSize, c.paintSize) << c.width << "x" << c.height << " in " << c.side;
  }
}

TEST(PageThumbnail, OnlyThePagesUndecodedPicturesAreListedAndThePagePaintsWithoutThem) {
  auto doc = document::ChartDocument::Create();
  doc->NewDocument();
  document::AddTextNode(*doc, "TXT", 0, "text", {10, 10, 110, 60});
  const int kept = doc->nodeCount;
  document::AddTextNode(*doc, "JPEG", 1, "picture", {200, 10, 300, 110});
  doc->nodes[kept].hasImage = 1;
  doc->nodes[kept].image = doc->pictures.AddUndecoded({0xFF, 0xD8, 0xFF});
  EXPECT_EQ(UndecodedPictureNodes(*doc, 0), std::vector<int>{kept});
  const ThumbnailPlan plan = PlanThumbnail(*doc, 0, 128);
  platform::RecordingCanvas canvas;
  PaintThumbnail(*doc, canvas, plan, nullptr);
  EXPECT_NE(canvas.FindText("text"), nullptr);
}

}  // namespace
}  // namespace plume::chartview
