#pragma once
// GIF files through giflib. Images of at most 256 colours keep their exact
// colours; others get a median-cut palette of 256 colours.

#include <QByteArray>
#include <QImage>

namespace plume::convert::ui {

class GifWriter {
 public:
  /// `image` as the bytes of a GIF file (transparency is not kept); empty
  /// when the image is null, wider or higher than 65535 pixels, or giflib fails.
  static QByteArray Encode(const QImage& image);
};

}  // namespace plume::convert::ui
