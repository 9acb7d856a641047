#include "capture/HtmlCapture.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string_view>

#include "capture/CapturePlan.h"
#include "capture/RowScaler.h"
#include "platform/Messages.h"
#include "platform/SettingsTable.h"

namespace plume::capture {
namespace {

bool Fail(std::string_view tag, platform::StringId id) {
  platform::ShowMessage(id, tag, platform::MsgIcon::Error);
  return false;
}

constexpr std::string_view kBitmapTag = "[Create CompatibleBitmap]\n";

// Closes the off-screen page on every path.
class OpenedPage {
 public:
  explicit OpenedPage(platform::PageCapture& page) : page_(page) {}
  ~OpenedPage() { page_.ClosePage(); }
  OpenedPage(const OpenedPage&) = delete;
  OpenedPage& operator=(const OpenedPage&) = delete;

 private:
  platform::PageCapture& page_;
};

}  // namespace

bool HtmlCapture::CaptureWholePage(const std::filesystem::path& jpegPath, std::uint16_t& width) {
  const int imageW = platform::settings::Get(settings_, platform::settings::KanSet::ImageW);
  if (imageW <= 0 || imageW > kMaxJpegRows) return Fail(kBitmapTag, platform::StringId::MemoryAllocFailed);

  OpenedPage guard(page_);
  const platform::PageCapture::PageInfo info = page_.OpenPage();
  int pageWidth = page_.ViewportSize().cx;
  int pageHeight = 100;
  switch (info.status) {
    case platform::PageCapture::OpenStatus::Ok:
      pageWidth = info.size.cx;
      pageHeight = info.size.cy;
      break;
    case platform::PageCapture::OpenStatus::NoBody: break;
    case platform::PageCapture::OpenStatus::NoDocument:
      return Fail("[Get IHTMLDocument2]\n", platform::StringId::PdfCreateFailed);
    case platform::PageCapture::OpenStatus::NoRenderer:
      return Fail("[GetApplication]\n", platform::StringId::PdfCreateFailed);
  }
  if (pageWidth <= 0 || pageHeight <= 0) return Fail(kBitmapTag, platform::StringId::MemoryAllocFailed);

  const int scaledHeight = ScaledHeight(pageWidth, pageHeight, imageW);
  if (scaledHeight > kMaxJpegRows) return Fail(kBitmapTag, platform::StringId::MemoryAllocFailed);

  platform::PixelImage scaled;
  try {
    scaled = platform::PixelImage(imageW, scaledHeight, 0xFFFFFFFF);
  } catch (const std::bad_alloc&) {
    return Fail(kBitmapTag, platform::StringId::MemoryAllocFailed);
  }
  if (!DrawScaled(pageWidth, pageHeight, scaled)) {
    if (info.status == platform::PageCapture::OpenStatus::Ok)
      return Fail(kBitmapTag, platform::StringId::MemoryAllocFailed);
    // A document without a body that cannot be drawn either gives white.
    std::fill(scaled.pixels.begin(), scaled.pixels.end(), 0xFFFFFFFF);
  }

  const BitmapView view{scaled.width, scaled.height, scaled.width, scaled.pixels};
  if (!encoder_.SaveBitmapToFile(view, imageW, scaledHeight, jpegPath, "JPEG")) return false;
  width = static_cast<std::uint16_t>(imageW);
  return true;
}

bool HtmlCapture::DrawScaled(int pageWidth, int pageHeight, platform::PixelImage& out) {
  RowScaler scaler(pageWidth, pageHeight, out.width, out.height, [&out](int y, std::span<const std::uint32_t> row) {
    std::memcpy(out.Row(y), row.data(), row.size() * sizeof(std::uint32_t));
  });
  const int bandRows = std::min(kBandRows, pageHeight);
  int kept = 0;
  while (kept < pageHeight) {
    int actualTop = 0;
    const auto band = page_.DrawBand(kept, bandRows, actualTop);
    if (!band || band->width < pageWidth) return false;
    const auto rows = RowsToKeep(kept, actualTop, std::min(bandRows, band->height), pageHeight);
    if (!rows) return false;
    for (int y = rows->first; y < rows->last; ++y)
      scaler.Push(std::span<const std::uint32_t>(band->Row(y), static_cast<std::size_t>(pageWidth)));
    kept = actualTop + rows->last;
  }
  return true;
}

bool HtmlCapture::CaptureVisiblePart(const std::filesystem::path& jpegPath, std::uint16_t& width) {
  const platform::Size size = page_.ViewportSize();
  if (size.cx <= 0 || size.cy <= 0) return false;
  const auto pixels = page_.GrabVisible();
  if (!pixels || pixels->width < size.cx || pixels->height < size.cy) return false;
  const BitmapView view{size.cx, size.cy, pixels->width, pixels->pixels};
  if (!encoder_.SaveBitmapToFile(view, size.cx, size.cy, jpegPath, "JPEG")) return false;
  width = static_cast<std::uint16_t>(size.cx);
  return true;
}

std::optional<int> HtmlCapture::CapturePage(bool whole, const std::filesystem::path& jpeg,
                                            const CaptureProgress& /*progress*/) {
  std::uint16_t width = 0;
  const bool ok = whole ? CaptureWholePage(jpeg, width) : CaptureVisiblePart(jpeg, width);
  if (!ok) return std::nullopt;
  return width;
}

}  // namespace plume::capture
