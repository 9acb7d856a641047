#include "platform/qt/QtPixelCodec.h"

#include <QGuiApplication>
#include <QScreen>
#include <cstring>
#include <limits>

#include "platform/qt/QtPictureCodec.h"

namespace plume::platform {

PixelImage ToPixelImage(const QImage& image) {
  if (image.isNull()) return {};
  const QImage argb = image.format() == QImage::Format_ARGB32 ? image : image.convertToFormat(QImage::Format_ARGB32);
  if (argb.isNull()) return {};
  PixelImage out(argb.width(), argb.height());
  for (int y = 0; y < argb.height(); ++y)
    std::memcpy(out.Row(y), argb.constScanLine(y), static_cast<std::size_t>(argb.width()) * 4);
  return out;
}

QImage ToQImage(const PixelImage& image) {
  if (image.Empty()) return {};
  QImage out(image.width, image.height, QImage::Format_ARGB32);
  if (out.isNull()) return {};
  for (int y = 0; y < image.height; ++y)
    std::memcpy(out.scanLine(y), image.Row(y), static_cast<std::size_t>(image.width) * 4);
  return out;
}

std::optional<PixelImage> QtPixelCodec::Decode(std::span<const std::uint8_t> bytes) const {
  if (bytes.empty() || bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return std::nullopt;
  QImage image;
  if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size())))
    return std::nullopt;
  PixelImage pixels = ToPixelImage(image);
  if (pixels.Empty()) return std::nullopt;
  return pixels;
}

std::unique_ptr<Picture> QtPixelCodec::DecodePicture(std::span<const std::uint8_t> bytes) const {
  return DecodeQtPicture(bytes);
}

std::unique_ptr<Picture> QtPixelCodec::MakePicture(const PixelImage& image) const {
  QImage q = ToQImage(image);
  if (q.isNull()) return nullptr;
  // The alpha has been flattened by the caller; the picture is opaque, as a device bitmap is.
  q = q.convertToFormat(QImage::Format_RGB32);
  if (q.isNull()) return nullptr;
  return std::make_unique<QtPicture>(std::move(q));
}

std::optional<PixelImage> QtPixelCodec::PicturePixels(const Picture& picture) const {
  if (const auto* qt = dynamic_cast<const QtPicture*>(&picture)) {
    PixelImage pixels = ToPixelImage(qt->Image());
    if (!pixels.Empty()) return pixels;
    return std::nullopt;
  }
  const Bytes bmp = picture.BitmapFileCopy();
  return Decode(bmp);
}

Bytes QtPixelCodec::EncodeJpeg(const PixelImage& image, int quality) const {
  const QImage q = ToQImage(image);
  if (q.isNull()) return {};
  return EncodeImage(q.convertToFormat(QImage::Format_RGB32), "JPEG", quality);
}

int QtPixelCodec::ScreenBitsPerPixel() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen && screen->depth() > 0 ? screen->depth() : 32;
}

}  // namespace plume::platform
