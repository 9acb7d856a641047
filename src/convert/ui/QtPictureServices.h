#pragma once
// The picture codecs on Qt's image readers and writers, with the node picture
// loader over them; built once by the application and by the command-line tool.

#include "convert/NodePictureLoader.h"
#include "convert/PictureServices.h"
#include "platform/SettingsStore.h"
#include "platform/qt/QtPictureCodec.h"
#include "platform/qt/QtPixelCodec.h"

namespace plume::convert::ui {

class QtPictureServices {
 public:
  /// The loader reads its settings from `settings`, which must outlive this.
  explicit QtPictureServices(const platform::SettingsStore& settings)
      : loader_(pixels_, settings), services_{pictures_, pixels_, loader_} {}
  QtPictureServices(const QtPictureServices&) = delete;
  QtPictureServices& operator=(const QtPictureServices&) = delete;

  PictureServices& Services() { return services_; }

 private:
  platform::QtPictureCodec pictures_;
  platform::QtPixelCodec pixels_;
  NodePictureLoader loader_;
  PictureServices services_;
};

}  // namespace plume::convert::ui
