#pragma once
// The image services a node picture reload needs: loading a material's data
// file as a node picture and redrawing a picture at a new size. The image
// loader of the conversion code implements it; NoPictureLoader stands in until
// one is plugged, and every load then fails.

#include <filesystem>
#include <memory>

#include "document/ChartRecords.h"
#include "platform/Picture.h"

namespace plume::document {

class PictureLoader {
 public:
  virtual ~PictureLoader() = default;
  /// Loads `file` as a node picture. `transColor` comes in as the node's and
  /// receives the transparency colour found. Null when no picture results.
  virtual std::unique_ptr<platform::Picture> LoadNodePicture(const std::filesystem::path& file,
                                                             document::ColorRef& transColor) = 0;
  /// `picture` redrawn at `width` x `height` as a JPEG picture; null on failure.
  virtual std::unique_ptr<platform::Picture> ResampleToJpeg(const platform::Picture& picture, int width,
                                                            int height) = 0;
  /// `picture` stretched pixel for pixel into a new `width` x `height` bitmap,
  /// transparency kept; null on failure.
  virtual std::unique_ptr<platform::Picture> Stretch(const platform::Picture& picture, int width,
                                                     int height) = 0;
};

/// A loader that cannot load anything.
class NoPictureLoader : public PictureLoader {
 public:
  std::unique_ptr<platform::Picture> LoadNodePicture(const std::filesystem::path&, document::ColorRef&) override {
    return nullptr;
  }
  std::unique_ptr<platform::Picture> ResampleToJpeg(const platform::Picture&, int, int) override { return nullptr; }
  std::unique_ptr<platform::Picture> Stretch(const platform::Picture&, int, int) override { return nullptr; }
};

}  // namespace plume::document
