#include "capture/ui/QtNodePictures.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/Messages.h"
#include "platform/SettingsTable.h"
#include "platform/qt/QtPictureCodec.h"

namespace plume::capture::ui {

std::optional<NodePicture> QtNodePictures::LoadNodePicture(const std::filesystem::path& file, std::string_view,
                                                           bool fit) {
  std::ifstream in(file, std::ios::binary);
  const platform::Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::unique_ptr<platform::Picture> picture;
  if (in && !bytes.empty()) picture = platform::QtPictureCodec().Decode(bytes);
  if (!picture || picture->Width() <= 0 || picture->Height() <= 0) {
    platform::ShowMessage(platform::StringId::ImageLoadFailed, file.string() + "\n");
    return std::nullopt;
  }
  NodePicture result;
  result.pixelWidth = picture->Width();
  result.pixelHeight = picture->Height();
  result.displayWidth = result.pixelWidth;
  result.displayHeight = result.pixelHeight;
  const int limit = platform::settings::Get(settings_, platform::settings::KanSet::ImageDefW);
  if (fit && limit > 0 && result.pixelWidth > limit) {
    result.displayWidth = limit;
    result.displayHeight = std::max(1, static_cast<int>(static_cast<long long>(result.pixelHeight) * limit /
                                                        result.pixelWidth));
  }
  result.picture = std::move(picture);
  return result;
}

}  // namespace plume::capture::ui
