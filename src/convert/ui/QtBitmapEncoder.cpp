#include "convert/ui/QtBitmapEncoder.h"

#include <QFile>
#include <QImageWriter>
#include <QSaveFile>
#include <algorithm>
#include <cctype>
#include <string>

#include "convert/ui/GifWriter.h"
#include "platform/Messages.h"
#include "platform/SettingsTable.h"
#include "platform/HasExtension.h"

namespace plume::convert::ui {
namespace {

// Qt's writer format for a type name; nullptr for an unknown name.
const char* WriterFormat(std::string_view typeName) {
  using platform::EqualsNoCase;
  if (EqualsNoCase(typeName, "jpeg") || EqualsNoCase(typeName, "jpg")) return "JPEG";
  if (EqualsNoCase(typeName, "png")) return "PNG";
  if (EqualsNoCase(typeName, "bmp")) return "BMP";
  if (EqualsNoCase(typeName, "gif")) return "GIF";
  if (EqualsNoCase(typeName, "tiff") || EqualsNoCase(typeName, "tif")) return "TIFF";
  return nullptr;
}

}  // namespace

bool SaveImageToFile(const QImage& image, int width, int height, const std::filesystem::path& path,
                     std::string_view typeName, int quality, bool durable) {
  const char* format = WriterFormat(typeName);
  if (!format || image.isNull() || width <= 0 || height <= 0) return false;
  const QImage stretched =
      image.size() == QSize(width, height)
          ? image
          : image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  if (stretched.isNull()) {
    platform::ShowMessage(platform::StringId::MemoryAllocFailed, {}, platform::MsgIcon::Error);
    return false;
  }

  const auto encode = [&](QIODevice& file) {
    if (std::string_view(format) == "GIF") {
      const QByteArray bytes = GifWriter::Encode(stretched);
      return !bytes.isEmpty() && file.write(bytes) == bytes.size();
    }
    QImageWriter writer(&file, format);
    if (std::string_view(format) == "JPEG") writer.setQuality(std::clamp(quality, 0, 100));
    return writer.write(stretched);
  };
  if (!durable) {
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    if (encode(file) && file.flush()) return true;
    file.remove();
    return false;
  }
  QSaveFile file(QString::fromStdString(path.string()));
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (!encode(file)) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool QtBitmapEncoder::SaveBitmapToFile(const BitmapView& bitmap, int width, int height,
                                       const std::filesystem::path& path, std::string_view typeName) {
  if (bitmap.width <= 0 || bitmap.height <= 0 || bitmap.stride < bitmap.width) return false;
  const std::size_t needed = static_cast<std::size_t>(bitmap.stride) * static_cast<std::size_t>(bitmap.height - 1) +
                             static_cast<std::size_t>(bitmap.width);
  if (bitmap.pixels.size() < needed) return false;
  // A view on the caller's pixels: nothing is copied before the stretch.
  const QImage image(reinterpret_cast<const uchar*>(bitmap.pixels.data()), bitmap.width, bitmap.height,
                     static_cast<qsizetype>(bitmap.stride) * 4, QImage::Format_ARGB32);
  return SaveBitmapToFile(image, width, height, path, typeName);
}

bool QtBitmapEncoder::SaveBitmapToFile(const QImage& image, int width, int height,
                                       const std::filesystem::path& path, std::string_view typeName) {
  return SaveImageToFile(image, width, height, path, typeName,
                         platform::settings::Get(settings_, platform::settings::KanSet::Quality));
}

}  // namespace plume::convert::ui
