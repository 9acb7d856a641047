#pragma once
// Image files loaded as node pictures through NodePictureLoader on Qt's image
// readers: pictures with alpha are flattened onto their transparency key,
// opaque ones re-encoded as JPEG; fitted pictures are at most ImageDefW wide.

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
