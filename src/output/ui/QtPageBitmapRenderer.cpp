#include "output/ui/QtPageBitmapRenderer.h"

#include "convert/ui/QtBitmapEncoder.h"
#include "platform/Messages.h"
#include "platform/SettingsTable.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtScratchSurface.h"

namespace plume::output::ui {

QImage QtPageBitmapRenderer::PaintedBitmap(platform::Size size, const PaintFn& paint) const {
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

int QtPageBitmapRenderer::Quality() const {
  return settings_ ? platform::settings::Get(*settings_, platform::settings::KanSet::Quality) : quality_;
}

bool QtPageBitmapRenderer::RenderToFile(platform::Size size, const PaintFn& paint, const std::filesystem::path& path,
                                        std::string_view typeName) {
  const QImage bitmap = PaintedBitmap(size, paint);
  return !bitmap.isNull() && convert::ui::SaveImageToFile(bitmap, size.cx, size.cy, path, typeName, Quality(), !scratchFiles_);
}

bool QtPageBitmapRenderer::Paint(platform::Size size, const PaintFn& paint) { return !PaintedBitmap(size, paint).isNull(); }

std::optional<PageBitmapRenderer::PageThread> QtPageBitmapRenderer::ForThread() const {
  PageThread thread;
  thread.renderer.reset(new QtPageBitmapRenderer(Quality()));
  thread.scratch = std::make_unique<platform::QtScratchSurface>();
  return thread;
}

}  // namespace plume::output::ui
