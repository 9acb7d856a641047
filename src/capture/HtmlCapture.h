#pragma once
// The HTML area captured into a JPEG file: the whole page scaled to ImageW
// wide, or the part on screen at its own size. The whole page is drawn in
// bands and scaled as they come, so memory holds the scaled image and one
// band, never the page at full size; wide pages get shorter bands. A failed
// or cancelled capture writes nothing and leaves the HTML area as it was.

#include <cstdint>
#include <filesystem>
#include <optional>

#include "convert/BitmapEncoder.h"
#include "capture/PageCapturePort.h"
#include "platform/PageCapture.h"
#include "platform/SettingsStore.h"

namespace plume::capture {

class HtmlCapture : public PageCapturePort {
 public:
  HtmlCapture(platform::PageCapture& page, convert::BitmapEncoder& encoder, const platform::SettingsStore& settings)
      : page_(page), encoder_(encoder), settings_(settings) {}

  /// Writes the whole page as a JPEG ImageW wide (narrower only where a
  /// narrow page enlarged to ImageW would be taller than a JPEG can be);
  /// `width` receives the image width. Failures show their message: the
  /// page too tall (30600), too wide (30601), not answering (30602), or the
  /// step's tag line with 30001 or 30003. A cancel by `progress` is silent.
  bool CaptureWholePage(const std::filesystem::path& jpegPath, std::uint16_t& width,
                        const CaptureProgress& progress = {});
  /// Writes the client area as a JPEG at its own size; `width` receives its width.
  bool CaptureVisiblePart(const std::filesystem::path& jpegPath, std::uint16_t& width);

  std::optional<int> CapturePage(bool whole, const std::filesystem::path& jpeg,
                                 const CaptureProgress& progress) override;

 private:
  enum class Drawn { Ok, Failed, Cancelled };
  Drawn DrawScaled(platform::Size drawn, platform::PixelImage& out, const CaptureProgress& progress);

  platform::PageCapture& page_;
  convert::BitmapEncoder& encoder_;
  const platform::SettingsStore& settings_;
};

}  // namespace plume::capture
