#pragma once
// Drawing the HTML area's page into a JPEG file.

#include <filesystem>
#include <functional>
#include <optional>

#include "platform/Messages.h"

namespace plume::capture {

/// Told after each band of a whole-page capture; returning false cancels it.
using CaptureProgress = std::function<bool(int bandsDone, int bandsTotal)>;

class PageCapturePort {
 public:
  virtual ~PageCapturePort() = default;
  /// Writes the whole page (`whole`) or the part on screen as a JPEG at
  /// `jpeg`; the image width in pixels, or nullopt after the step's own message
  /// (or silently when `progress` cancelled it).
  virtual std::optional<int> CapturePage(bool whole, const std::filesystem::path& jpeg,
                                         const CaptureProgress& progress) = 0;
};

/// Stands in where no page can be drawn: every capture fails with its message.
class NoPageCapture : public PageCapturePort {
 public:
  std::optional<int> CapturePage(bool, const std::filesystem::path&, const CaptureProgress&) override {
    platform::ShowMessage(platform::StringId::PdfCreateFailed, "[Capture]\n");
    return std::nullopt;
  }
};

}  // namespace plume::capture
