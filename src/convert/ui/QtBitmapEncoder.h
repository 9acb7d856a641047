#pragma once
// The shared image file encoder on Qt's image writers (JPEG, PNG, BMP, TIFF)
// and giflib (GIF). Files are written through a temporary file, so a failed
// save leaves whatever was at the path before.

#include <QImage>
#include <filesystem>
#include <string_view>

#include "convert/BitmapEncoder.h"
#include "platform/SettingsStore.h"

namespace plume::convert::ui {

/// `image` stretched to width x height (bilinear) and written as `typeName`
/// ("JPEG", "PNG", "BMP", "GIF", "TIFF", any case; "JPG" and "TIF" too);
/// `quality` (0-100) applies to JPEG. An unknown type name, an empty size or
/// a file that cannot be written gives false without a message; a stretched
/// copy that cannot be made shows 30001 and gives false. A scratch file (not
/// `durable`: read back by this process and removed) is written in place and
/// not forced to the disk.
bool SaveImageToFile(const QImage& image, int width, int height, const std::filesystem::path& path,
                     std::string_view typeName, int quality, bool durable = true);

class QtBitmapEncoder : public BitmapEncoder {
 public:
  /// Reads the JPEG quality (KanSet/Quality) from `settings` at every save.
  explicit QtBitmapEncoder(const platform::SettingsStore& settings) : settings_(settings) {}

  bool SaveBitmapToFile(const BitmapView& bitmap, int width, int height, const std::filesystem::path& path,
                        std::string_view typeName) override;
  /// The same for a bitmap that already is a QImage.
  bool SaveBitmapToFile(const QImage& image, int width, int height, const std::filesystem::path& path,
                        std::string_view typeName);

 private:
  const platform::SettingsStore& settings_;
};

}  // namespace plume::convert::ui
