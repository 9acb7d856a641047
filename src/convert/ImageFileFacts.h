#pragma once
// Small facts about pictures and image files, for the property dialogs.

#include <cstdint>
#include <filesystem>
#include <optional>

#include "platform/PixelCodec.h"

namespace plume::convert {

/// A length in 0.01 mm converted to pixels at `dpi`: units x dpi / 2540, rounded.
int HimetricToPixels(int units, int dpi);

struct ImageFileFacts {
  std::uintmax_t bytes = 0;
  int width = 0;
  int height = 0;
};

/// The size in bytes and in pixels of an image file; nullopt when it cannot
/// be read or is no picture.
std::optional<ImageFileFacts> ReadImageFileFacts(const std::filesystem::path& path, const platform::PixelCodec& codec);

/// The picture saved into a block of memory (its image file bytes).
platform::Bytes PictureToMemory(const platform::Picture& picture);

}  // namespace plume::convert
