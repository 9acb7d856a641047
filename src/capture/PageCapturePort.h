#pragma once
// Drawing the HTML area's page into a JPEG file.

#include <filesystem>
#include <optional>

namespace plume::capture {

class PageCapturePort {
 public:
  virtual ~PageCapturePort() = default;
  /// Writes the whole page (`whole`) or the part on screen as a JPEG at
  /// `jpeg`; the image width in pixels, or nullopt after the step's own message.
  virtual std::optional<int> CapturePage(bool whole, const std::filesystem::path& jpeg) = 0;
};

}  // namespace plume::capture
