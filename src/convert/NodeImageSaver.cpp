#include "convert/NodeImageSaver.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "platform/Messages.h"

namespace plume::convert {

std::string NodeImageSaver::Filter(bool transparent) {
  std::string filter = "JPEGファイル(*.jpeg)|*.jpeg|";
  if (transparent) filter += "透過";
  filter +=
      "GIFファイル(*.gif)|*.gif|ビットマップファイル(*.bmp)|*.bmp|PNGファイル(*.png)|*.png|"
      "TIFFファイル(*.tiff)|*.tiff||";
  return filter;
}

bool NodeImageSaver::Run() {
  using platform::MsgButtons;
  using platform::MsgIcon;
  using platform::MsgResult;
  using platform::StringId;
  const int focus = doc_.focusedNode;
  if (focus < 0 || focus >= doc_.nodeCount) return false;
  const platform::Picture* picture = doc_.NodePicture(focus);
  if (picture == nullptr) return false;

  platform::SaveFileRequest request;
  request.title = "保存するファイルを指定";
  request.filter = Filter(doc_.nodes[focus].transColor != document::kNoColor);
  request.defaultExtension = "jpeg";
  request.initialName = "無題";
  const auto path = dialogs_.AskSaveFile(request);
  if (!path) return false;
  std::error_code ec;
  if (std::filesystem::exists(*path, ec) &&
      platform::ShowMessage(StringId::OverwriteFileAsk, {}, MsgIcon::Question, MsgButtons::YesNo) != MsgResult::Yes)
    return false;

  std::string type = path->extension().string();
  if (!type.empty()) type.erase(0, 1);
  std::transform(type.begin(), type.end(), type.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const auto pixels = codec_.PicturePixels(*picture);
  if (!pixels) return false;
  const BitmapView view{pixels->width, pixels->height, pixels->width, pixels->pixels};
  if (!encoder_.SaveBitmapToFile(view, pixels->width, pixels->height, *path, type)) return false;

  if (platform::ShowMessage(StringId::SavedShowFolderAsk, {}, MsgIcon::Question, MsgButtons::YesNo) ==
          MsgResult::Yes &&
      folders_ != nullptr)
    folders_->OpenFolder(path->parent_path());
  return true;
}

}  // namespace plume::convert
