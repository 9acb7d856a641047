#pragma once
// The shared scratch surface: one off-screen bitmap with its canvas, kept by
// the application and replaced on every use (node pictures, captures, picture
// previews). Whoever uses it finishes with it before anyone else does.

#include "platform/Canvas.h"

namespace plume::platform {

class ScratchSurface {
 public:
  virtual ~ScratchSurface() = default;
  /// Replaces the bitmap by one of `size` compatible with `target` and returns
  /// its canvas (origin 0, 0); nullptr when it cannot be made.
  virtual Canvas* Reset(const Canvas& target, Size size) = 0;
};

}  // namespace plume::platform
