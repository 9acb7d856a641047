#include "capture/HtmlCapture.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string_view>

#include "capture/CapturePlan.h"
#include "convert/RowScaler.h"
#include "platform/Messages.h"
#include "platform/SettingsTable.h"

namespace plume::capture {
namespace {

using platform::PageCapture;
using platform::StringId;

bool Fail(std::string_view tag, StringId id) {
  platform::ShowMessage(id, tag, platform::MsgIcon::Error);
  return false;
}

constexpr std::string_view kBitmapTag = "[Create CompatibleBitmap]\n";

bool FailDrawing(PageCapture::Failure why) {
  if (why == PageCapture::Failure::NoAnswer) return Fail({}, StringId::PageDidNotAnswer);
  return Fail(kBitmapTag, StringId::MemoryAllocFailed);
}

// Closes the off-screen page on every path.
class OpenedPage {
 public:
  explicit OpenedPage(PageCapture& page) : page_(page) {}
  ~OpenedPage() { page_.ClosePage(); }
  OpenedPage(const OpenedPage&) = delete;
  OpenedPage& operator=(const OpenedPage&) = delete;

 private:
  PageCapture& page_;
};

}  // namespace

bool HtmlCapture::CaptureWholePage(const std::filesystem::path& jpegPath, std::uint16_t& width,
                                   const CaptureProgress& progress) {
  const int imageW = platform::settings::Get(settings_, platform::settings::KanSet::ImageW);
  if (imageW <= 0 || imageW > kMaxJpegRows) return Fail(kBitmapTag, StringId::MemoryAllocFailed);

  OpenedPage guard(page_);
  const PageCapture::PageInfo info = page_.OpenPage();
  int pageWidth = page_.ViewportSize().cx;
  int pageHeight = 100;
  switch (info.status) {
    case PageCapture::OpenStatus::Ok:
      pageWidth = info.size.cx;
      pageHeight = info.size.cy;
      break;
    case PageCapture::OpenStatus::NoBody: break;
    case PageCapture::OpenStatus::NoDocument: return Fail("[Get IHTMLDocument2]\n", StringId::PdfCreateFailed);
    case PageCapture::OpenStatus::NoRenderer: return Fail("[GetApplication]\n", StringId::PdfCreateFailed);
    case PageCapture::OpenStatus::NoAnswer: return Fail({}, StringId::PageDidNotAnswer);
    case PageCapture::OpenStatus::TooWide: return Fail({}, StringId::PageTooWideToCapture);
  }
  if (pageWidth <= 0 || pageHeight <= 0) return Fail(kBitmapTag, StringId::MemoryAllocFailed);

  const auto size = ScaledPageSize(pageWidth, pageHeight, imageW);
  if (!size) return Fail({}, StringId::PageTooTallToCapture);

  platform::PixelImage scaled;
  try {
    scaled = platform::PixelImage(size->width, size->height, 0xFFFFFFFF);
  } catch (const std::bad_alloc&) {
    return Fail(kBitmapTag, StringId::MemoryAllocFailed);
  }
  // A document without a body gives white.
  if (info.status == PageCapture::OpenStatus::Ok) {
    switch (DrawScaled(info.drawn, scaled, progress)) {
      case Drawn::Ok: break;
      case Drawn::Failed: return FailDrawing(page_.LastFailure());
      case Drawn::Cancelled: return false;
    }
  }

  const convert::BitmapView view{scaled.width, scaled.height, scaled.width, scaled.pixels};
  if (!encoder_.SaveBitmapToFile(view, scaled.width, scaled.height, jpegPath, "JPEG")) return false;
  width = static_cast<std::uint16_t>(scaled.width);
  return true;
}

HtmlCapture::Drawn HtmlCapture::DrawScaled(platform::Size drawn, platform::PixelImage& out,
                                           const CaptureProgress& progress) {
  if (drawn.cx <= 0 || drawn.cy <= 0) return Drawn::Failed;
  convert::RowScaler scaler(drawn.cx, drawn.cy, out.width, out.height, [&out](int y, std::span<const std::uint32_t> row) {
    std::memcpy(out.Row(y), row.data(), row.size() * sizeof(std::uint32_t));
  });
  const int bandRows = std::min(BandRowsFor(drawn.cx), drawn.cy);
  const int total = (drawn.cy + bandRows - 1) / bandRows;
  int kept = 0, done = 0;
  while (kept < drawn.cy) {
    int actualTop = 0;
    const auto band = page_.DrawBand(kept, bandRows, actualTop);
    if (!band || band->width < drawn.cx) return Drawn::Failed;
    const auto rows = RowsToKeep(kept, actualTop, std::min(bandRows, band->height), drawn.cy);
    if (!rows) return Drawn::Failed;
    for (int y = rows->first; y < rows->last; ++y)
      scaler.Push(std::span<const std::uint32_t>(band->Row(y), static_cast<std::size_t>(drawn.cx)));
    kept = actualTop + rows->last;
    done = std::min(done + 1, total);
    if (progress && !progress(kept < drawn.cy ? done : total, total)) return Drawn::Cancelled;
  }
  return Drawn::Ok;
}

bool HtmlCapture::CaptureVisiblePart(const std::filesystem::path& jpegPath, std::uint16_t& width) {
  const platform::Size size = page_.ViewportSize();
  if (size.cx <= 0 || size.cy <= 0) return false;
  const auto pixels = page_.GrabVisible();
  if (!pixels) {
    if (page_.LastFailure() == PageCapture::Failure::NoAnswer) Fail({}, StringId::PageDidNotAnswer);
    return false;
  }
  if (pixels->width < size.cx || pixels->height < size.cy) return false;
  const convert::BitmapView view{size.cx, size.cy, pixels->width, pixels->pixels};
  if (!encoder_.SaveBitmapToFile(view, size.cx, size.cy, jpegPath, "JPEG")) return false;
  width = static_cast<std::uint16_t>(size.cx);
  return true;
}

std::optional<int> HtmlCapture::CapturePage(bool whole, const std::filesystem::path& jpeg,
                                            const CaptureProgress& progress) {
  std::uint16_t width = 0;
  const bool ok = whole ? CaptureWholePage(jpeg, width, progress) : CaptureVisiblePart(jpeg, width);
  if (!ok) return std::nullopt;
  return width;
}

}  // namespace plume::capture
