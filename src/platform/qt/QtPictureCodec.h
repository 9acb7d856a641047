#pragma once
// Pictures decoded by Qt's image readers. A QtPicture keeps the encoded bytes
// it was decoded from, so saving a document writes the original file back.

#include <QImage>

#include "platform/Picture.h"

namespace plume::platform {

class QtPicture : public Picture {
 public:
  /// A picture decoded from `encoded`; the bytes are kept.
  QtPicture(QImage image, Bytes encoded);
  /// A picture made in memory (it has no encoded bytes).
  explicit QtPicture(QImage image);

  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }
  Bytes EncodedBytes() const override { return encoded_; }
  Bytes BitmapFileCopy() const override;

  const QImage& Image() const { return image_; }

 private:
  QImage image_;
  Bytes encoded_;
};

class QtPictureCodec : public PictureCodec {
 public:
  std::unique_ptr<Picture> Decode(std::span<const std::uint8_t> bytes) const override;
};

/// The picture QtPictureCodec decodes from `bytes`; nullptr when they are no picture.
std::unique_ptr<QtPicture> DecodeQtPicture(std::span<const std::uint8_t> bytes);

/// The bytes of `image` encoded as `format` ("BMP", "PNG", "JPEG", ...); empty on failure.
Bytes EncodeImage(const QImage& image, const char* format, int quality = -1);

}  // namespace plume::platform
