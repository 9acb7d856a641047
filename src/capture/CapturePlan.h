#pragma once
// The arithmetic of the whole-page capture: the scaled size, the limit of a
// JPEG's height and the rows each band gives.

#include <optional>

#include "platform/PageCapture.h"

namespace plume::capture {

/// Rows a JPEG file can hold.
inline constexpr int kMaxJpegRows = 65535;
/// Rows drawn in one band.
inline constexpr int kBandRows = platform::kPageBandRows;

/// Height of a width x height page scaled to `imageW`: ratio imageW / width in
/// single precision, the height truncated (at least 1).
int ScaledHeight(int width, int height, int imageW);

/// The rows [first, last) of a band to keep when rows [0, wanted) are kept
/// already and the band shows the page from row `actualTop` with `bandRows`
/// rows; nullopt when the band leaves a gap (it starts below `wanted`) or adds nothing.
struct BandRows {
  int first = 0;
  int last = 0;
};
std::optional<BandRows> RowsToKeep(int wanted, int actualTop, int bandRows, int pageHeight);

}  // namespace plume::capture
