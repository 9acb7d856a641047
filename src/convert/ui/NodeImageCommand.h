#pragma once
// Command 403 of the chart view (save the focused node's picture as an image
// file) with the system's file chooser, the shared encoder under a wait
// cursor and the desktop's file manager.

#include <QPointer>
#include <QWidget>
#include <memory>

#include "convert/NodeImageSaver.h"
#include "convert/ui/QtBitmapEncoder.h"
#include "document/ui/QtFileDialogs.h"
#include "platform/PixelCodec.h"
#include "platform/qt/QtFolderOpener.h"

namespace plume::convert::ui {

class NodeImageCommand {
 public:
  /// `pixels` decodes the pictures saved; it must outlive the command.
  NodeImageCommand(const document::ChartDocument& doc, const platform::SettingsStore& settings,
                   const platform::PixelCodec& pixels, QWidget* owner);
  bool Run() { return saver_.Run(); }

 private:
  class WaitCursorEncoder : public BitmapEncoder {
   public:
    explicit WaitCursorEncoder(const platform::SettingsStore& settings) : encoder_(settings) {}
    bool SaveBitmapToFile(const BitmapView& bitmap, int width, int height, const std::filesystem::path& path,
                          std::string_view typeName) override;

   private:
    QtBitmapEncoder encoder_;
  };

  document::ui::QtFileDialogs dialogs_;
  WaitCursorEncoder encoder_;
  platform::QtFolderOpener folders_;
  NodeImageSaver saver_;
};

}  // namespace plume::convert::ui
