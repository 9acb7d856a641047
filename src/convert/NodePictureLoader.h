#pragma once
// Turns image files into the pictures picture nodes show. Pictures with an
// alpha channel are flattened onto one transparent key colour; opaque ones
// are shown re-encoded as JPEG with the Quality setting. Decoding and
// encoding go through the platform's pixel codec.

#include <filesystem>
#include <memory>
#include <string_view>

#include "document/NodePicturePort.h"
#include "document/PictureLoader.h"
#include "document/ChartRecords.h"
#include "platform/PixelCodec.h"
#include "platform/SettingsStore.h"

namespace plume::convert {

/// Sizes LoadNodePicture reports: the image's own and the returned picture's.
struct NodePictureSize {
  int pixelWidth = 0;
  int pixelHeight = 0;
  int displayWidth = 0;
  int displayHeight = 0;
};

class NodePictureLoader : public document::PictureLoader, public document::NodePicturePort {
 public:
  /// Reads ImageDefW and Quality from `settings` at every load.
  NodePictureLoader(const platform::PixelCodec& codec, const platform::SettingsStore& settings)
      : codec_(codec), settings_(settings) {}

  /// Loads `path` of material type `typeWord` ("JPEG", "PNG", "BMP", ...; any
  /// case). With `fit`, a picture wider than ImageDefW is redrawn that wide.
  /// `transColor` should come in as -1 and receives the key found. A file
  /// that gives no picture shows the path and 30028 when `showMessages`.
  std::unique_ptr<platform::Picture> LoadNodePicture(const std::filesystem::path& path, std::string_view typeWord,
                                                     bool fit, NodePictureSize& size, document::ColorRef& transColor,
                                                     bool showMessages = true);

  /// `picture` redrawn smoothly at width x height and encoded as JPEG at
  /// quality 100; null (30001 shown when `showMessages`) on failure.
  std::unique_ptr<platform::Picture> ResampleToJpegPicture(const platform::Picture& picture, int width, int height,
                                                           bool showMessages = true);

  /// The registration flows' load: messages shown, the key found returned.
  std::optional<document::NodePicture> LoadNodePicture(const std::filesystem::path& file, std::string_view typeWord,
                                             bool fit) override;

  // The reload after a resize: quiet, the type word taken from the file name.
  std::unique_ptr<platform::Picture> LoadNodePicture(const std::filesystem::path& file,
                                                     document::ColorRef& transColor) override;
  std::unique_ptr<platform::Picture> ResampleToJpeg(const platform::Picture& picture, int width,
                                                    int height) override;
  std::unique_ptr<platform::Picture> Stretch(const platform::Picture& picture, int width, int height) override;

 private:
  std::unique_ptr<platform::Picture> LoadWithTransparency(const std::vector<std::uint8_t>& bytes,
                                                          std::string_view type, bool isBmp, NodePictureSize& size,
                                                          document::ColorRef& transColor,
                                                          const std::filesystem::path& path);

  const platform::PixelCodec& codec_;
  const platform::SettingsStore& settings_;
};

}  // namespace plume::convert
