#pragma once
// The picture codecs and the node picture loader a process shares. The
// program and the command-line tool each build one set (on Qt's image
// readers, convert::ui::QtPictureServices) and hand it to whatever decodes
// pictures; tests may put their own codecs together.

#include "convert/NodePictureLoader.h"
#include "platform/Picture.h"
#include "platform/PixelCodec.h"

namespace plume::convert {

struct PictureServices {
  const platform::PictureCodec& pictures;  ///< node pictures read from charts and the store
  const platform::PixelCodec& pixels;      ///< plain pixels and pictures made of them
  NodePictureLoader& loader;               ///< image files turned into node pictures
};

}  // namespace plume::convert
