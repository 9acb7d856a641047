#include "convert/ui/NodeImageCommand.h"

#include <QGuiApplication>

namespace plume::convert::ui {

NodeImageCommand::NodeImageCommand(const document::ChartDocument& doc, const platform::SettingsStore& settings,
                                   const platform::PixelCodec& pixels, QWidget* owner)
    : dialogs_(owner), encoder_(settings), saver_(doc, dialogs_, encoder_, pixels, &folders_) {}

bool NodeImageCommand::WaitCursorEncoder::SaveBitmapToFile(const BitmapView& bitmap, int width, int height,
                                                           const std::filesystem::path& path,
                                                           std::string_view typeName) {
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  const bool saved = encoder_.SaveBitmapToFile(bitmap, width, height, path, typeName);
  QGuiApplication::restoreOverrideCursor();
  return saved;
}

}  // namespace plume::convert::ui
