#include "output/ui/QtPageBitmapRenderer.h"

#include <QImage>

#include "platform/Messages.h"
#include "platform/SettingsTable.h"
#include "platform/qt/QtCanvas.h"
#include "convert/ui/QtBitmapEncoder.h"

namespace plume::output::ui {

QImage QtPageBitmapRenderer::Paint(platform::Size size, const PaintFn& paint) const {
  // QImage refuses sizes it cannot hold (null image) instead of failing later.
  QImage bitmap;
  if (size.cx > 0 && size.cy > 0) bitmap = QImage(size.cx, size.cy, QImage::Format_RGB32);
  if (bitmap.isNull()) {
    platform::ShowMessage(platform::StringId::MemoryAllocFailed, {}, platform::MsgIcon::Error);
    return {};
  }
  // Where a painted page does not reach, the image is white, never old memory.
  bitmap.fill(Qt::white);
  {
    platform::QtCanvas canvas(bitmap);
    paint(canvas);
  }
  return bitmap;
}

bool QtPageBitmapRenderer::RenderToFile(platform::Size size, const PaintFn& paint, const std::filesystem::path& path,
                                        std::string_view typeName) {
  const QImage bitmap = Paint(size, paint);
  return !bitmap.isNull() && convert::ui::QtBitmapEncoder(settings_).SaveBitmapToFile(bitmap, size.cx, size.cy, path, typeName);
}

PageBitmapRenderer::WriteFn QtPageBitmapRenderer::PaintForWriting(platform::Size size, const PaintFn& paint,
                                                                  const std::filesystem::path& path,
                                                                  std::string_view typeName) {
  QImage bitmap = Paint(size, paint);
  if (bitmap.isNull()) return {};
  const int quality = platform::settings::Get(settings_, platform::settings::KanSet::Quality);
  return [bitmap = std::move(bitmap), size, path, type = std::string(typeName), quality] {
    return convert::ui::SaveImageToFile(bitmap, size.cx, size.cy, path, type, quality);
  };
}

}  // namespace plume::output::ui
