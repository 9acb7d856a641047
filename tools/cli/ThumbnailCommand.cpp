// thumbnail IN.pbd OUT.png SIZE: page 1 of a document fitted into SIZE x SIZE
// pixels, painted by the window's page painter, as a PNG file. File managers
// run it on whatever lies in a folder, so it reads only regular files through
// the document reader and its limits, keeps pictures undecoded until it knows
// which ones page 1 shows, decodes those at their size on the preview within
// a budget of pixels, and runs under a CPU time and memory limit. A document
// it cannot read gives no file and a non-zero exit status.

#include <sys/resource.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "CliCommands.h"
#include "chartview/CoordinateMapping.h"
#include "chartview/PageThumbnail.h"
#include "document/CTesselDoc.h"
#include "document/ChartFile.h"
#include "platform/FileDescriptor.h"
#include "platform/UserOutput.h"
#include "platform/MemorySettingsStore.h"
#include "platform/Messages.h"
#include "platform/cab/GcabCabinet.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtPictureCodec.h"
#include "platform/qt/QtScratchSurface.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PLUME_THUMBNAIL_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define PLUME_THUMBNAIL_SANITIZED 1
#endif

namespace plume::cli {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxThumbnailSide = 4096;
/// Source pixels of all pictures decoded for one preview (256 MB at 4 bytes a pixel).
constexpr long long kPictureBudget = 64'000'000;
constexpr rlim_t kCpuSeconds = 30;

/// Keeps every picture as its bytes: the preview decodes only those it shows.
struct KeepBytesCodec : platform::PictureCodec {
  std::unique_ptr<platform::Picture> Decode(std::span<const std::uint8_t>) const override { return nullptr; }
};

void LimitResources() {
  const rlimit cpu{kCpuSeconds, kCpuSeconds + 5};
  setrlimit(RLIMIT_CPU, &cpu);
#ifndef PLUME_THUMBNAIL_SANITIZED
  // The sanitizers reserve far more address space than they use.
  constexpr rlim_t kAddressSpace = rlim_t{3} << 30;
  rlimit space{};
  if (getrlimit(RLIMIT_AS, &space) == 0 && (space.rlim_cur == RLIM_INFINITY || space.rlim_cur > kAddressSpace)) {
    space.rlim_cur = kAddressSpace;
    setrlimit(RLIMIT_AS, &space);
  }
#endif
}

bool OpenForPreview(document::ChartDocument& doc, const fs::path& path) {
  const KeepBytesCodec codec;
  if (IsDocumentFile(path.string())) {
    platform::MemorySettingsStore settings;
    platform::GcabCabinet cabinet;
    return document::CTesselDoc(doc, settings, cabinet, codec).OpenDocument(path);
  }
  if (!platform::IsRegularFile(path)) {
    platform::ShowMessage(platform::StringId::NotARegularFile, path.string() + "\n");
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  return in && document::ReadChart(doc, in, codec);
}

/// Decodes the pictures page `plan.pageIndex` shows, each at its size on the
/// painted preview; pictures past the budget or refused by the decoder keep
/// their bytes and are drawn as the painter draws pictures it cannot show.
void DecodeShownPictures(document::ChartDocument& doc, const chartview::ThumbnailPlan& plan) {
  long long spent = 0;
  for (const int index : chartview::UndecodedPictureNodes(doc, plan.pageIndex)) {
    document::NodeRecord& node = doc.nodes[index];
    const platform::Bytes& bytes = *doc.pictures.Undecoded(node.image);
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(std::min<std::size_t>(bytes.size(), INT32_MAX)));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize natural = reader.size();
    if (!natural.isValid() || natural.isEmpty()) continue;
    spent += static_cast<long long>(natural.width()) * natural.height();
    if (spent > kPictureBudget) break;
    const platform::IntRect shown = chartview::PageToScreen(node.rect, plan.paintZoom);
    const QSize target(std::clamp(shown.Width(), 1, std::min(natural.width(), plan.paintSize.cx)),
                       std::clamp(shown.Height(), 1, std::min(natural.height(), plan.paintSize.cy)));
    reader.setScaledSize(target);
    QImage image = reader.read();
    if (image.isNull()) continue;
    doc.pictures.Release(node.image);
    node.image = doc.pictures.Add(std::make_unique<platform::QtPicture>(std::move(image)));
  }
}

}  // namespace

int RunThumbnail(const std::vector<std::string_view>& args, const ToolCodecs& /*codecs*/) {
  int side = 0;
  if (!ParseInt(args[2], side) || side < 1 || side > kMaxThumbnailSide) {
    std::cerr << "usage: plumeboard-tool thumbnail IN.pbd OUT.png SIZE   (SIZE 1.." << kMaxThumbnailSide << ")\n";
    return 2;
  }
  LimitResources();
  auto doc = document::ChartDocument::Create();
  if (!doc) return 1;
  doc->NewDocument();
  const fs::path in = fs::absolute(fs::path(args[0]));
  if (!OpenForPreview(*doc, in)) return 1;

  const chartview::ThumbnailPlan plan = chartview::PlanThumbnail(*doc, 0, side);
  DecodeShownPictures(*doc, plan);
  QImage page(plan.paintSize.cx, plan.paintSize.cy, QImage::Format_RGB32);
  if (page.isNull()) return 1;
  page.fill(Qt::white);
  {
    platform::QtCanvas canvas(page);
    platform::QtScratchSurface scratch;
    chartview::PaintThumbnail(*doc, canvas, plan, &scratch);
  }
  if (page.width() != plan.size.cx || page.height() != plan.size.cy)
    page = page.scaled(plan.size.cx, plan.size.cy, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!page.save(&buffer, "PNG")) return 1;
  return platform::WriteUserFile(fs::path(args[1]), [&png](std::ostream& out) {
           out.write(png.constData(), png.size());
           return true;
         })
             ? 0
             : 1;
}

}  // namespace plume::cli
