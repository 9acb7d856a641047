#pragma once
// A picture codec for tests: "IMG" followed by two bytes width and height.
// Live pictures are counted so tests can see each one released once.

#include <memory>
#include <span>

#include "platform/Picture.h"

namespace plume::testing {

class FakePicture : public platform::Picture {
 public:
  FakePicture(int w, int h, platform::Bytes encoded) : w_(w), h_(h), encoded_(std::move(encoded)) { ++live; }
  ~FakePicture() override { --live; }
  int Width() const override { return w_; }
  int Height() const override { return h_; }
  platform::Bytes EncodedBytes() const override { return encoded_; }
  platform::Bytes BitmapFileCopy() const override {
    return {'I', 'M', 'G', static_cast<std::uint8_t>(w_), static_cast<std::uint8_t>(h_)};
  }
  static inline int live = 0;

 private:
  int w_, h_;
  platform::Bytes encoded_;
};

inline platform::Bytes FakeImageBytes(int w, int h, std::size_t padding = 0) {
  platform::Bytes b{'I', 'M', 'G', static_cast<std::uint8_t>(w), static_cast<std::uint8_t>(h)};
  b.resize(b.size() + padding, 0xAB);
  return b;
}

class FakePictureCodec : public platform::PictureCodec {
 public:
  std::unique_ptr<platform::Picture> Decode(std::span<const std::uint8_t> bytes) const override {
    if (bytes.size() < 5 || bytes[0] != 'I' || bytes[1] != 'M' || bytes[2] != 'G') return nullptr;
    return std::make_unique<FakePicture>(bytes[3], bytes[4], platform::Bytes(bytes.begin(), bytes.end()));
  }
};

}  // namespace plume::testing
