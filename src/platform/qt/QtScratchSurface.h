#pragma once
// The shared scratch surface over a QImage: replaced on every Reset.

#include <QImage>
#include <memory>

#include "platform/ScratchSurface.h"
#include "platform/qt/QtCanvas.h"

namespace plume::platform {

class QtScratchSurface : public ScratchSurface {
 public:
  Canvas* Reset(const Canvas& target, Size size) override;

 private:
  QImage image_;
  std::unique_ptr<QtCanvas> canvas_;  ///< declared last: ends painting before the image goes
};

}  // namespace plume::platform
