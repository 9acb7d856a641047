#pragma once
// Loading an image file as the picture of a new node.

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "document/ChartRecords.h"
#include "platform/Picture.h"

namespace plume::document {

/// A picture ready for a node.
struct NodePicture {
  std::unique_ptr<platform::Picture> picture;
  int displayWidth = 0;   ///< at most ImageDefW when fitted
  int displayHeight = 0;
  int pixelWidth = 0;     ///< the image's own size
  int pixelHeight = 0;
  document::ColorRef transColor = document::kNoColor;
};

class NodePicturePort {
 public:
  virtual ~NodePicturePort() = default;
  /// Loads `file` of `typeWord`, reduced to the node width when `fit`.
  /// Nullopt after message 30028 with the path.
  virtual std::optional<NodePicture> LoadNodePicture(const std::filesystem::path& file, std::string_view typeWord,
                                                     bool fit) = 0;
};

}  // namespace plume::document
