#include "platform/qt/QtScratchSurface.h"

namespace plume::platform {

Canvas* QtScratchSurface::Reset(const Canvas& target, Size size) {
  canvas_.reset();
  image_ = QImage();
  if (size.cx <= 0 || size.cy <= 0) return nullptr;
  image_ = QImage(size.cx, size.cy, QImage::Format_RGB32);
  if (image_.isNull()) return nullptr;
  image_.fill(Qt::white);
  canvas_ = std::make_unique<QtCanvas>(image_, target.DpiY(), target.IsPrinter());
  return canvas_.get();
}

}  // namespace plume::platform
