#pragma once
// The arithmetic of the whole-page capture: the scaled size, the limit of a
// JPEG's height and the rows each band gives.

#include <optional>

#include "platform/PageCapture.h"

namespace plume::capture {

/// Rows a JPEG file can hold.
inline constexpr int kMaxJpegRows = 65535;
/// Rows drawn in one band of a page drawn 1,280 px wide or less.
inline constexpr int kBandRows = platform::kPageBandRows;
/// Pixels one band holds at most: wider pages get fewer rows a band.
inline constexpr int kBandPixels = 1280 * kBandRows;

/// Height of a width x height page scaled to `imageW`: ratio imageW / width in
/// single precision, the height truncated (at least 1).
int ScaledHeight(int width, int height, int imageW);

/// The size of the JPEG of a width x height page: `imageW` wide, except that a
/// page narrower than `imageW` is enlarged only as far as kMaxJpegRows allow;
/// nullopt when the page is taller than a JPEG even at its own width.
struct ScaledSize {
  int width = 0;
  int height = 0;
};
std::optional<ScaledSize> ScaledPageSize(int width, int height, int imageW);

/// Rows of one band of a page drawn `drawnWidth` pixels wide.
int BandRowsFor(int drawnWidth);

/// The rows [first, last) of a band to keep when rows [0, wanted) are kept
/// already and the band shows the page from row `actualTop` with `bandRows`
/// rows; nullopt when the band leaves a gap (it starts below `wanted`) or adds nothing.
struct BandRows {
  int first = 0;
  int last = 0;
};
std::optional<BandRows> RowsToKeep(int wanted, int actualTop, int bandRows, int pageHeight);

}  // namespace plume::capture
