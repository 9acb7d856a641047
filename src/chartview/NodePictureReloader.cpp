#include "chartview/NodePictureReloader.h"

#include <system_error>

#include "platform/Cp932.h"
#include "platform/FileDescriptor.h"
#include "platform/Messages.h"

namespace plume::chartview {

namespace {

constexpr std::string_view kResizeTag = "[サイズ調整]\n";

bool Fail(bool showMessages, platform::StringId id, std::string_view prefix = {}) {
  if (showMessages) platform::ShowMessage(id, prefix, platform::MsgIcon::Error);
  return false;
}

}  // namespace

void NodePictureReloader::DropPicture(int index) {
  document::NodeRecord& node = doc_.nodes[index];
  const std::uint32_t handle = node.image;
  node.image = document::PictureTable::kNone;
  if (handle == document::PictureTable::kNone) return;
  for (int i = 0; i < doc_.nodeCount; ++i)
    if (doc_.nodes[i].image == handle) return;
  doc_.pictures.Release(handle);
}

bool NodePictureReloader::ReloadNodePicture(int index, bool showMessages) {
  if (index < 0 || index >= doc_.nodeCount) return false;
  document::NodeRecord& node = doc_.nodes[index];
  const std::string typeWord(platform::FieldText(node.dataType));
  const auto file = materials_.DataFile(typeWord, node.serial);
  if (!file) return Fail(showMessages, platform::StringId::MaterialReadFailed);
  if (!platform::IsRegularFile(*file)) return Fail(showMessages, platform::StringId::MaterialReadFailed);

  // The node keeps the picture it has until the new one is loaded and redrawn:
  // a damaged or unreadable master file must not cost the picture in the chart.
  document::ColorRef transColor = node.transColor;
  std::unique_ptr<platform::Picture> loaded = loader_.LoadNodePicture(*file, transColor);
  if (!loaded) return Fail(showMessages, platform::StringId::ImageLoadFailed, kResizeTag);

  const int w = node.rect.Width();
  const int h = node.rect.Height();
  std::unique_ptr<platform::Picture> redrawn;
  if (w > 0 && h > 0) {
    if (typeWord == "JPEG" || transColor == document::kNoColor)
      redrawn = loader_.ResampleToJpeg(*loaded, w, h);
    else
      redrawn = loader_.Stretch(*loaded, w, h);
  }
  if (!redrawn) return Fail(showMessages, platform::StringId::ImageLoadFailed, kResizeTag);
  loaded.reset();
  DropPicture(index);
  node.transColor = transColor;
  node.image = doc_.pictures.Add(std::move(redrawn));
  return true;
}

}  // namespace plume::chartview
