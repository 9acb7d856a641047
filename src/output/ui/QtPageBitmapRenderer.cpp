#include "output/ui/QtPageBitmapRenderer.h"

#include <QImage>

#include "platform/Messages.h"
#include "platform/qt/QtCanvas.h"

namespace plume::output::ui {

bool QtPageBitmapRenderer::RenderToFile(platform::Size size, const PaintFn& paint, const std::filesystem::path& path,
                                        std::string_view typeName) {
  // QImage refuses sizes it cannot hold (null image) instead of failing later.
  QImage bitmap;
  if (size.cx > 0 && size.cy > 0) bitmap = QImage(size.cx, size.cy, QImage::Format_RGB32);
  if (bitmap.isNull()) {
    platform::ShowMessage(platform::StringId::MemoryAllocFailed, {}, platform::MsgIcon::Error);
    return false;
  }
  // Where a painted page does not reach, the image is white, never old memory.
  bitmap.fill(Qt::white);
  {
    platform::QtCanvas canvas(bitmap);
    paint(canvas);
  }
  return encoder_.SaveBitmapToFile(bitmap, size.cx, size.cy, path, typeName);
}

}  // namespace plume::output::ui
