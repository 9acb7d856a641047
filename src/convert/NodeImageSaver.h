#pragma once
// Saving the focused node's picture as an image file (the chart view's
// context command 403): the user picks the file and its type by extension,
// an existing file is replaced only after asking, and after a good save the
// user may open its folder.

#include <filesystem>
#include <string>

#include "convert/BitmapEncoder.h"
#include "commands/CommandTable.h"
#include "document/ChartDocument.h"
#include "platform/FileDialogs.h"
#include "platform/PixelCodec.h"
#include "platform/FolderOpener.h"

namespace plume::convert {

class NodeImageSaver {
 public:
  static constexpr int kCmdSaveNodeImage = commands::Id(commands::CommandId::ID_PICTURE_SAVE);

  /// `folders` may be null (the folder is then not shown).
  NodeImageSaver(const document::ChartDocument& doc, platform::FileDialogs& dialogs, BitmapEncoder& encoder,
                 const platform::PixelCodec& codec, platform::FolderOpener* folders)
      : doc_(doc), dialogs_(dialogs), encoder_(encoder), codec_(codec), folders_(folders) {}

  /// The file chooser's filters; the GIF entry reads "透過GIF..." for a node with a transparency colour.
  static std::string Filter(bool transparent);

  /// Runs the command. Nothing happens without a focused picture node or on
  /// Cancel; 30084 asks before replacing a file; a failed save shows nothing.
  /// True when the file was written.
  bool Run();

 private:
  const document::ChartDocument& doc_;
  platform::FileDialogs& dialogs_;
  BitmapEncoder& encoder_;
  const platform::PixelCodec& codec_;
  platform::FolderOpener* folders_;
};

}  // namespace plume::convert
