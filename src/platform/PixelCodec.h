#pragma once
// Image files to and from plain pixels, and pictures made of pixels. The Qt
// implementation is QtPixelCodec; it uses Qt's image readers and writers.

#include <memory>
#include <optional>
#include <span>

#include "platform/Picture.h"
#include "platform/PixelImage.h"

namespace plume::platform {

class PixelCodec {
 public:
  virtual ~PixelCodec() = default;
  /// Decodes a whole image file to 32-bit pixels; nullopt when it is not a picture.
  virtual std::optional<PixelImage> Decode(std::span<const std::uint8_t> bytes) const = 0;
  /// Decodes an image file to a picture that keeps the file's bytes; nullptr when it is not one.
  virtual std::unique_ptr<Picture> DecodePicture(std::span<const std::uint8_t> bytes) const = 0;
  /// A bitmap picture holding exactly these pixels (alpha dropped); nullptr when it cannot be made.
  virtual std::unique_ptr<Picture> MakePicture(const PixelImage& image) const = 0;
  /// The pixels of a picture at its own size; nullopt when it cannot be rendered.
  virtual std::optional<PixelImage> PicturePixels(const Picture& picture) const = 0;
  /// `image` as JPEG file bytes at `quality` (0-100); empty on failure.
  virtual Bytes EncodeJpeg(const PixelImage& image, int quality) const = 0;
  /// Bits per pixel of the screen pictures are shown on.
  virtual int ScreenBitsPerPixel() const = 0;
};

}  // namespace plume::platform
