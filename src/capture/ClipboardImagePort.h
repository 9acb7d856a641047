#pragma once
// The bitmap on the clipboard, saved as an image file.

#include <filesystem>
#include <string>
#include <string_view>

namespace plume::capture {

/// How saving the clipboard's bitmap went.
enum class ClipboardSave {
  Saved,
  NoBitmap,          ///< the clipboard holds no bitmap: nothing to do
  TakeFailed,        ///< a bitmap was announced but could not be taken
  ConversionFailed,  ///< no 32-bit copy could be made
  SaveFailed,        ///< the image file could not be written
};

class ClipboardImagePort {
 public:
  virtual ~ClipboardImagePort() = default;
  /// Saves the clipboard's bitmap as a `typeWord` file at `path`.
  virtual ClipboardSave SaveClipboardImage(const std::filesystem::path& path, std::string_view typeWord) = 0;
  /// Whether the clipboard's image has see-through parts: it is then kept as
  /// a PNG with them, as the same file dropped would be.
  virtual bool ImageHasAlpha() { return false; }
};

}  // namespace plume::capture
