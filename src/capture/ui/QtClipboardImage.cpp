#include "capture/ui/QtClipboardImage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include "convert/ui/QtBitmapEncoder.h"

namespace plume::capture::ui {

ClipboardSave QtClipboardImage::SaveClipboardImage(const std::filesystem::path& path, std::string_view typeWord) {
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  if (mime == nullptr || !mime->hasImage()) return ClipboardSave::NoBitmap;
  const QImage image = qvariant_cast<QImage>(mime->imageData());
  if (image.isNull()) return ClipboardSave::TakeFailed;
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  if (rgb.isNull()) return ClipboardSave::ConversionFailed;
  convert::ui::QtBitmapEncoder encoder(settings_);
  if (!encoder.SaveBitmapToFile(rgb, rgb.width(), rgb.height(), path, typeWord)) return ClipboardSave::SaveFailed;
  return ClipboardSave::Saved;
}

}  // namespace plume::capture::ui
