#pragma once
// Scales an image that arrives row by row (a page captured in bands) to a
// new size without holding the source: each source row is scaled across at
// once and added into the few output rows it touches; an output row is handed
// on as soon as its last source row has come. Shrinking averages the covered
// area; enlarging interpolates linearly. Pixels are 0xAARRGGBB.

#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <vector>

namespace plume::convert {

class RowScaler {
 public:
  /// Called once per output row, in order, with `dstWidth` pixels.
  using RowSink = std::function<void(int y, std::span<const std::uint32_t> row)>;

  RowScaler(int srcWidth, int srcHeight, int dstWidth, int dstHeight, RowSink sink);

  /// Takes the next source row (`srcWidth` pixels).
  void Push(std::span<const std::uint32_t> row);

  /// Source indices and weights for each destination index along one axis.
  struct Tap {
    int first = 0;
    std::vector<float> weights;
  };
  static std::vector<Tap> Taps(int src, int dst);

 private:
  struct Pending {
    int y = 0;
    std::vector<float> sum;  // four channels a pixel
  };
  void Emit(Pending& row);

  int srcWidth_, srcHeight_, dstWidth_, dstHeight_;
  RowSink sink_;
  std::vector<Tap> across_, down_;
  std::vector<int> lastSourceRow_;   // per output row
  std::vector<float> unpacked_;      // the current source row, four floats a pixel
  std::vector<int> tapFirst_;        // across_ flattened
  std::vector<std::size_t> tapStart_;
  std::vector<float> tapWeights_;
  std::vector<float> scaled_;        // the current source row scaled across
  std::vector<std::uint32_t> out_;
  std::deque<Pending> pending_;
  int nextOutput_ = 0;
  int taken_ = 0;
};

}  // namespace plume::convert
