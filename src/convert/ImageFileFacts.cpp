#include "convert/ImageFileFacts.h"

#include <cstdlib>

#include "convert/ImageFileBytes.h"

namespace plume::convert {

int HimetricToPixels(int units, int dpi) {
  const long long product = static_cast<long long>(units) * dpi;
  const long long half = product >= 0 ? 1270 : -1270;
  return static_cast<int>((product + half) / 2540);
}

std::optional<ImageFileFacts> ReadImageFileFacts(const std::filesystem::path& path, const platform::PixelCodec& codec) {
  FileReadError error;
  const auto bytes = ReadWholeFile(path, error);
  if (!bytes) return std::nullopt;
  const auto picture = codec.DecodePicture(*bytes);
  if (!picture) return std::nullopt;
  return ImageFileFacts{bytes->size(), picture->Width(), picture->Height()};
}

platform::Bytes PictureToMemory(const platform::Picture& picture) {
  platform::Bytes bytes = picture.EncodedBytes();
  return bytes.empty() ? picture.BitmapFileCopy() : bytes;
}

}  // namespace plume::convert
