#include "output/ui/QtPageBitmapRenderer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <iterator>
#include <regex>

#include "tests/support/PdfTestFiles.h"
#include "convert/DocsmithLibrary.h"
#include "platform/qt/QtPictureCodec.h"
#include "platform/qt/QtScratchSurface.h"
#include "output/ChartExport.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"

// Under AddressSanitizer a refused allocation must come back as null, as it does in the program.
#if defined(__SANITIZE_ADDRESS__)
#define PLUME_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PLUME_ASAN 1
#endif
#endif
#ifdef PLUME_ASAN
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }
#endif

namespace plume::output::ui {
namespace {

namespace fs = std::filesystem;
using platform::ScopedMessageSink;
using platform::ScriptedMessageSink;

class QtPageBitmapRendererTest : public ::testing::Test {
 protected:
  test::TempFolder folder_;
  platform::MemorySettingsStore settings_;
  QtPageBitmapRenderer renderer_{settings_};
  ScriptedMessageSink sink_;
  ScopedMessageSink guard_{&sink_};
};

TEST_F(QtPageBitmapRendererTest, PaintsOnWhiteAndWritesTheBitmapAtItsSize) {
  const fs::path out = folder_ / "page.png";
  ASSERT_TRUE(renderer_.RenderToFile(
      {40, 30},
      [](platform::Canvas& canvas) {
        canvas.Rectangle({0, 0, 10, 10}, {}, platform::Brush::Solid(0x000000FF));  // red (0x00BBGGRR)
      },
      out, "PNG"));
  const QImage image(QString::fromStdString(out.string()));
  ASSERT_EQ(image.size(), QSize(40, 30));
  EXPECT_EQ(image.pixel(5, 5), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(39, 29), qRgb(255, 255, 255));  // never uninitialised memory
  EXPECT_TRUE(sink_.Messages().empty());
}

TEST_F(QtPageBitmapRendererTest, ABitmapThatCannotBeMadeShows30001AndPaintsNothing) {
  bool painted = false;
  const auto paint = [&](platform::Canvas&) { painted = true; };
  for (const platform::Size size : {platform::Size{0, 10}, platform::Size{1 << 20, 1 << 20}}) {
    EXPECT_FALSE(renderer_.RenderToFile(size, paint, folder_ / "x.jpeg", "JPEG"));
    EXPECT_EQ(sink_.Last().id, 30001);
  }
  EXPECT_FALSE(painted);
  EXPECT_FALSE(fs::exists(folder_ / "x.jpeg"));
}

TEST_F(QtPageBitmapRendererTest, ThePageImageAtZoomIsTheZoomedPageSize) {
  auto doc = document::ChartDocument::Create();
  doc->NewDocument();
  doc->CurrentPage().pageWidth = 400;
  doc->CurrentPage().pageHeight = 300;
  chartview::WindowlessHost host;
  chartview::ChartView view(*doc, settings_, host);
  view.SetZoom(1.5f);
  ChartExportServices services;
  services.renderer = &renderer_;
  ChartExport exporter(view, settings_, nullptr, services);
  ASSERT_TRUE(exporter.WriteImage(folder_ / "z.jpeg", false));
  ASSERT_TRUE(exporter.WriteImage(folder_ / "u.jpeg", true));
  QImageReader zoomed(QString::fromStdString((folder_ / "z.jpeg").string()));
  EXPECT_EQ(zoomed.format(), "jpeg");
  EXPECT_EQ(zoomed.size(), QSize(600, 450));
  EXPECT_EQ(QImageReader(QString::fromStdString((folder_ / "u.jpeg").string())).size(), QSize(400, 300));
  // The page frame is painted along the edge of the image.
  const QImage image(QString::fromStdString((folder_ / "u.jpeg").string()));
  EXPECT_LT(qGray(image.pixel(0, 150)), 160);
  EXPECT_GT(qGray(image.pixel(200, 150)), 240);
}

// The PDF's bytes without its dates and file id, which differ between two writes.
std::string PdfWithoutDates(const fs::path& path) {
  return std::regex_replace(std::regex_replace(test::ReadFile(path), std::regex("D:[0-9]{14}Z?"), "D:"),
                            std::regex("/ID \\[<[0-9a-f]+><[0-9a-f]+>\\]"), "/ID");
}

TEST_F(QtPageBitmapRendererTest, AllPagesPaintedOnSeveralThreadsGiveTheSameFileAsOnOne) {
  convert::DocsmithLibrary::SetFolder(PLUME_DOCSMITH_DIR);
  auto doc = document::ChartDocument::Create();
  doc->NewDocument();
  QImage red(24, 16, QImage::Format_RGB32);
  red.fill(Qt::red);
  for (int p = 0; p < 7; ++p) {
    if (p > 0) {
      document::ChartDocument::InitPage(doc->pages[p], doc->NewPageId(), "page");
      doc->header.pageCount = static_cast<std::uint16_t>(p + 1);
    }
    doc->header.currentPage = static_cast<std::uint16_t>(p);
    doc->CurrentPage().pageWidth = 300 + 40 * p;
    doc->CurrentPage().pageHeight = 200;
    doc->AddNode({.dataType = "PDF", .title = "node " + std::to_string(p), .x = 20 + 10 * p, .y = 30});
    // A picture node, and on page 3 one without a size, which the preparing step sizes.
    ASSERT_TRUE(doc->AddNode({.dataType = "JPG", .title = "pic", .x = 120, .y = 60}));
    const int n = doc->nodeCount - 1;
    doc->nodes[n].image = doc->pictures.Add(std::make_unique<platform::QtPicture>(red));
    doc->nodes[n].hasImage = 1;
    if (p == 3) doc->nodes[n].rect = {150, 90, 150, 90};
  }
  chartview::WindowlessHost host;
  chartview::ChartView view(*doc, settings_, host);
  platform::QtScratchSurface scratch;
  std::vector<std::string> files;
  for (const int threads : {3, 1}) {  // the threads prepare the unsized node first
    ChartExportServices services;
    services.renderer = &renderer_;
    services.workFolder = [this] { return folder_.Path(); };
    services.threads = threads;
    ChartExport exporter(view, settings_, &scratch, services);
    const fs::path out = folder_ / ("all" + std::to_string(threads) + ".pdf");
    ASSERT_TRUE(exporter.WritePdf(true, out));
    files.push_back(PdfWithoutDates(out));
  }
  EXPECT_GT(files[0].size(), 1000u);
  EXPECT_EQ(files[0], files[1]);
  EXPECT_TRUE(sink_.Messages().empty());
  // Nothing of the pages is left in the work folder (tmp.jpg is the one-thread export's).
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_.Path()), fs::directory_iterator()), 3);
}

}  // namespace
}  // namespace plume::output::ui
