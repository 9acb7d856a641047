#pragma once
// Painting into a page bitmap of its own and writing it as an image file: what
// the chart export needs of the drawing platform. The program renders with
// QtCanvas (output/ui/QtPageBitmapRenderer); tests record the calls.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/Canvas.h"
#include "platform/ScratchSurface.h"

namespace plume::output {

/// The most pixels a page bitmap may have (10,000 x 10,000, 400 MB at four
/// bytes a pixel): a hostile page size must not take the machine's memory.
inline constexpr long long kMaxPagePixels = 100'000'000;

/// True when a bitmap of `size` is within kMaxPagePixels; otherwise shows 30585.
bool PageBitmapFits(platform::Size size);

class PageBitmapRenderer {
 public:
  using PaintFn = std::function<void(platform::Canvas&)>;

  virtual ~PageBitmapRenderer() = default;
  /// Makes a white bitmap of `size` pixels (never the shared scratch
  /// surface), lets `paint` draw into it (origin 0, 0), writes it at its own
  /// size with SaveBitmapToFile(bitmap, cx, cy, path, typeName) and frees it.
  /// When the bitmap cannot be made, shows 30001 and returns false without
  /// calling `paint`; otherwise the result is the encoder's.
  virtual bool RenderToFile(platform::Size size, const PaintFn& paint, const std::filesystem::path& path,
                            std::string_view typeName) = 0;
  /// Makes a white bitmap of `size` like RenderToFile, lets `paint` draw into
  /// it and frees it. False (30001 shown, `paint` not called) when it cannot
  /// be made.
  virtual bool Paint(platform::Size size, const PaintFn& paint) = 0;

  /// What one more painting thread needs: a renderer that reads nothing the
  /// other threads touch and writes scratch files (read back by this process
  /// and removed, so not forced to the disk), and a scratch surface for node
  /// pictures.
  struct PageThread {
    std::unique_ptr<PageBitmapRenderer> renderer;
    std::unique_ptr<platform::ScratchSurface> scratch;
  };
  /// A renderer for another thread; none when this renderer paints only on
  /// its own thread (pages are then painted one after another).
  virtual std::optional<PageThread> ForThread() const { return std::nullopt; }
};

}  // namespace plume::output
