#pragma once
// Drawing what the HTML area shows into pixels: the part on screen as it is,
// and the whole page band by band (a long page cannot be drawn in one
// surface). The whole page is the document on show, never a second load of
// its address. The Qt WebEngine implementation is QtPageCapture.

#include <optional>

#include "platform/CanvasTypes.h"
#include "platform/PixelImage.h"

namespace plume::platform {

/// Rows of the page drawn in one band (fewer for pages drawn wider than 1,280 px).
inline constexpr int kPageBandRows = 4000;

class PageCapture {
 public:
  virtual ~PageCapture() = default;

  /// The HTML area's client size in its own pixels.
  virtual Size ViewportSize() = 0;
  /// The client area as it is on screen, ViewportSize() large, from a frame
  /// known to show the page; nullopt when it cannot be read (see LastFailure).
  virtual std::optional<PixelImage> GrabVisible() = 0;

  enum class OpenStatus { Ok, NoBody, NoDocument, NoRenderer, NoAnswer, TooWide };
  struct PageInfo {
    OpenStatus status = OpenStatus::NoDocument;
    Size size;   ///< the page's full scroll width and height in its own CSS pixels (Ok only)
    Size drawn;  ///< the same page in the pixels DrawBand gives (sharper or smaller)
  };
  /// Prepares drawing the page on show at its full width, off screen (the
  /// HTML area itself is not touched), and measures it.
  virtual PageInfo OpenPage() = 0;
  /// Draws the page scrolled so that drawn row `top` is at the top of a band
  /// of `height` drawn rows (the drawn width wide). `actualTop` receives where
  /// the page really scrolled to (less than `top` at the end of the page).
  /// Fixed and sticky parts are drawn in the first band only. Nullopt on
  /// failure (see LastFailure).
  virtual std::optional<PixelImage> DrawBand(int top, int height, int& actualTop) = 0;
  /// Releases what OpenPage prepared.
  virtual void ClosePage() = 0;

  enum class Failure { Drawing, NoAnswer };
  /// Why the last GrabVisible or DrawBand gave nothing.
  virtual Failure LastFailure() const { return Failure::Drawing; }
};

}  // namespace plume::platform
