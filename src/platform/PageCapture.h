#pragma once
// Drawing what the HTML area shows into pixels: the part on screen as it is,
// and the whole page band by band (a long page cannot be drawn in one
// surface). The Qt WebEngine implementation is QtPageCapture.

#include <optional>

#include "platform/CanvasTypes.h"
#include "platform/PixelImage.h"

namespace plume::platform {

/// Rows of the page drawn in one band.
inline constexpr int kPageBandRows = 4000;

class PageCapture {
 public:
  virtual ~PageCapture() = default;

  /// The HTML area's client size in pixels.
  virtual Size ViewportSize() = 0;
  /// The pixels of the client area as they are on screen; nullopt when they cannot be read.
  virtual std::optional<PixelImage> GrabVisible() = 0;

  enum class OpenStatus { Ok, NoBody, NoDocument, NoRenderer };
  struct PageInfo {
    OpenStatus status = OpenStatus::NoDocument;
    Size size;  ///< the page's full scroll width and height (Ok only)
  };
  /// Prepares drawing the page on show at its full width, off screen (the
  /// HTML area itself is not touched), and measures it.
  virtual PageInfo OpenPage() = 0;
  /// Draws the page scrolled so that row `top` is at the top of a band of
  /// `height` rows (the page's width wide). `actualTop` receives where the
  /// page really scrolled to (less than `top` at the end of the page). Fixed
  /// and sticky parts are drawn in the first band only. Nullopt on failure.
  virtual std::optional<PixelImage> DrawBand(int top, int height, int& actualTop) = 0;
  /// Releases what OpenPage prepared.
  virtual void ClosePage() = 0;
};

}  // namespace plume::platform
