#include "platform/qt/QtPictureCodec.h"

#include <QBuffer>
#include <QImageWriter>
#include <limits>

namespace plume::platform {

QtPicture::QtPicture(QImage image, Bytes encoded)
    : image_(std::move(image)), encoded_(std::move(encoded)) {}

QtPicture::QtPicture(QImage image) : image_(std::move(image)) {}

Bytes QtPicture::BitmapFileCopy() const { return EncodeImage(image_, "BMP"); }

std::unique_ptr<Picture> QtPictureCodec::Decode(std::span<const std::uint8_t> bytes) const {
  return DecodeQtPicture(bytes);
}

std::unique_ptr<QtPicture> DecodeQtPicture(std::span<const std::uint8_t> bytes) {
  if (bytes.empty() || bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
    return nullptr;
  QImage image;
  if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size())) ||
      image.isNull())
    return nullptr;
  return std::make_unique<QtPicture>(std::move(image), Bytes(bytes.begin(), bytes.end()));
}

Bytes EncodeImage(const QImage& image, const char* format, int quality) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  if (quality >= 0) writer.setQuality(quality);
  if (!writer.write(image)) return {};
  return Bytes(data.begin(), data.end());
}

}  // namespace plume::platform
