#include "capture/ui/QtNodePictures.h"

#include "capture/NodePictureLoader.h"
#include "platform/qt/QtPixelCodec.h"

namespace plume::capture::ui {

std::optional<NodePicture> QtNodePictures::LoadNodePicture(const std::filesystem::path& file,
                                                           std::string_view typeWord, bool fit) {
  // The node picture rules (transparency key, fitting) on Qt's image readers.
  const platform::QtPixelCodec codec;
  NodePictureLoader loader(codec, settings_);
  return static_cast<NodePicturePort&>(loader).LoadNodePicture(file, typeWord, fit);
}

}  // namespace plume::capture::ui
