#pragma once
// Image files loaded as node pictures by Qt's image readers: the picture
// keeps the file's bytes; fitted pictures are shown at most ImageDefW pixels
// wide, keeping their proportions.

#include "capture/NodePicturePort.h"
#include "platform/SettingsStore.h"

namespace plume::capture::ui {

class QtNodePictures : public NodePicturePort {
 public:
  explicit QtNodePictures(const platform::SettingsStore& settings) : settings_(settings) {}
  std::optional<NodePicture> LoadNodePicture(const std::filesystem::path& file, std::string_view typeWord,
                                             bool fit) override;

 private:
  const platform::SettingsStore& settings_;
};

}  // namespace plume::capture::ui
