#pragma once
// PixelCodec on Qt's image readers and writers; pictures are QtPictures, so
// the canvas draws them like any other.

#include <QImage>

#include "platform/PixelCodec.h"

namespace plume::platform {

class QtPixelCodec : public PixelCodec {
 public:
  std::optional<PixelImage> Decode(std::span<const std::uint8_t> bytes) const override;
  std::unique_ptr<Picture> DecodePicture(std::span<const std::uint8_t> bytes) const override;
  std::unique_ptr<Picture> MakePicture(const PixelImage& image) const override;
  std::optional<PixelImage> PicturePixels(const Picture& picture) const override;
  Bytes EncodeJpeg(const PixelImage& image, int quality) const override;
  /// The primary screen's depth; 32 without a screen (as offscreen).
  int ScreenBitsPerPixel() const override;
};

/// `image` converted to plain 0xAARRGGBB pixels; empty for a null image.
PixelImage ToPixelImage(const QImage& image);
/// A QImage sharing nothing with `image` (ARGB32, not premultiplied).
QImage ToQImage(const PixelImage& image);

}  // namespace plume::platform
