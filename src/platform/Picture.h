#pragma once
// Decoded pictures of picture nodes. The document keeps them by handle; the
// codec that made them knows how to draw them (see the canvas).

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace plume::platform {

using Bytes = std::vector<std::uint8_t>;

class Picture {
 public:
  virtual ~Picture() = default;
  /// Size in pixels.
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  /// The encoded image file this picture was decoded from; empty when it no longer has it.
  virtual Bytes EncodedBytes() const = 0;
  /// An image file (a bitmap file) made from the decoded picture in memory.
  virtual Bytes BitmapFileCopy() const = 0;
};

class PictureCodec {
 public:
  virtual ~PictureCodec() = default;
  /// Decodes a whole image file held in memory; nullptr when it is not a picture.
  virtual std::unique_ptr<Picture> Decode(std::span<const std::uint8_t> bytes) const = 0;
};

}  // namespace plume::platform
