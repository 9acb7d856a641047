#include "capture/ui/QtClipboardImage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPainter>

#include "convert/ui/QtBitmapEncoder.h"
#include "platform/HasExtension.h"

namespace plume::capture::ui {

namespace {

QImage ClipboardImage() {
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  if (mime == nullptr || !mime->hasImage()) return {};
  return qvariant_cast<QImage>(mime->imageData());
}

/// Whether any pixel of `image` is less than fully opaque.
bool HasSeeThroughPixel(const QImage& image) {
  if (!image.hasAlphaChannel()) return false;
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < argb.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x) {
      if (qAlpha(row[x]) != 255) return true;
    }
  }
  return false;
}

/// A 32-bit copy (masks 0xFF0000, 0x00FF00, 0x0000FF): see-through parts kept
/// for a type that holds them (PNG), else laid over white rather than black.
QImage ThirtyTwoBitCopy(const QImage& image, std::string_view typeWord) {
  if (platform::EqualsNoCase(typeWord, "png") && image.hasAlphaChannel()) {
    return image.convertToFormat(QImage::Format_ARGB32);
  }
  if (!image.hasAlphaChannel()) return image.convertToFormat(QImage::Format_RGB32);
  QImage flat(image.size(), QImage::Format_RGB32);
  if (flat.isNull()) return flat;
  flat.fill(Qt::white);
  QPainter painter(&flat);
  painter.drawImage(0, 0, image);
  return flat;
}

}  // namespace

bool QtClipboardImage::ImageHasAlpha() { return HasSeeThroughPixel(ClipboardImage()); }

ClipboardSave QtClipboardImage::SaveClipboardImage(const std::filesystem::path& path, std::string_view typeWord) {
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  if (mime == nullptr || !mime->hasImage()) return ClipboardSave::NoBitmap;
  const QImage image = ClipboardImage();
  if (image.isNull()) return ClipboardSave::TakeFailed;
  const QImage copy = ThirtyTwoBitCopy(image, typeWord);
  if (copy.isNull()) return ClipboardSave::ConversionFailed;
  convert::ui::QtBitmapEncoder encoder(settings_);
  if (!encoder.SaveBitmapToFile(copy, copy.width(), copy.height(), path, typeWord)) return ClipboardSave::SaveFailed;
  return ClipboardSave::Saved;
}

}  // namespace plume::capture::ui
