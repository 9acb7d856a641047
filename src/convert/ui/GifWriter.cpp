#include "convert/ui/GifWriter.h"

#include <gif_lib.h>

#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

namespace plume::convert::ui {
namespace {

// giflib hands the encoded bytes to this function; they go into the QByteArray.
int AppendBytes(GifFileType* gif, const GifByteType* data, int length) {
  static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
  return length;
}

struct Palette {
  std::vector<GifColorType> colors;
  std::vector<GifByteType> indices;  // one per pixel, row after row
};

// The image's own colours when there are at most 256 of them.
bool ExactPalette(const QImage& rgb, Palette& palette) {
  std::unordered_map<QRgb, GifByteType> index;
  const int w = rgb.width();
  const int h = rgb.height();
  palette.indices.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  std::size_t at = 0;
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      const QRgb c = row[x] & 0xFFFFFFu;
      auto found = index.find(c);
      if (found == index.end()) {
        if (index.size() == 256) return false;
        found = index.emplace(c, static_cast<GifByteType>(index.size())).first;
        palette.colors.push_back(GifColorType{static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
                                              static_cast<GifByteType>(qBlue(c))});
      }
      palette.indices[at++] = found->second;
    }
  }
  return true;
}

// A 256-colour median-cut palette (giflib's quantiser).
bool QuantisedPalette(const QImage& rgb, Palette& palette) {
  const int w = rgb.width();
  const int h = rgb.height();
  const std::size_t n = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
  std::vector<GifByteType> red(n), green(n), blue(n);
  std::size_t at = 0;
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < w; ++x, ++at) {
      red[at] = static_cast<GifByteType>(qRed(row[x]));
      green[at] = static_cast<GifByteType>(qGreen(row[x]));
      blue[at] = static_cast<GifByteType>(qBlue(row[x]));
    }
  }
  int size = 256;
  palette.colors.assign(256, GifColorType{0, 0, 0});
  palette.indices.assign(n, 0);
  if (GifQuantizeBuffer(static_cast<unsigned>(w), static_cast<unsigned>(h), &size, red.data(), green.data(),
                        blue.data(), palette.indices.data(), palette.colors.data()) != GIF_OK)
    return false;
  palette.colors.resize(static_cast<std::size_t>(size));
  return true;
}

}  // namespace

QByteArray GifWriter::Encode(const QImage& image) {
  if (image.isNull() || image.width() > 65535 || image.height() > 65535) return {};
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  if (rgb.isNull()) return {};
  Palette palette;
  if (!ExactPalette(rgb, palette)) {
    palette = Palette{};
    if (!QuantisedPalette(rgb, palette)) return {};
  }
  // A colour map holds a power of two entries; the rest stay black.
  int mapSize = 2;
  while (mapSize < static_cast<int>(palette.colors.size())) mapSize *= 2;
  palette.colors.resize(static_cast<std::size_t>(mapSize), GifColorType{0, 0, 0});

  QByteArray bytes;
  int error = 0;
  GifFileType* gif = EGifOpen(&bytes, AppendBytes, &error);
  if (!gif) return {};
  auto close = [](GifFileType* g) {
    int closeError = 0;
    EGifCloseFile(g, &closeError);
  };
  std::unique_ptr<GifFileType, decltype(close)> guard(gif, close);
  std::unique_ptr<ColorMapObject, decltype(&GifFreeMapObject)> map(
      GifMakeMapObject(mapSize, palette.colors.data()), &GifFreeMapObject);
  if (!map) return {};
  const int w = rgb.width();
  const int h = rgb.height();
  if (EGifPutScreenDesc(gif, w, h, map->BitsPerPixel, 0, map.get()) != GIF_OK ||
      EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) != GIF_OK)
    return {};
  for (int y = 0; y < h; ++y) {
    if (EGifPutLine(gif, palette.indices.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w), w) !=
        GIF_OK)
      return {};
  }
  int closeError = 0;
  const int closed = EGifCloseFile(guard.release(), &closeError);
  if (closed != GIF_OK) return {};
  return bytes;
}

}  // namespace plume::convert::ui
