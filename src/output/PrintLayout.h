#pragma once
// The arithmetic of printing a chart page: the printer's minimum margins, the
// paper fitted into the preview, the grid of sheets a page is cut into, the
// preview scale, the sheets a range prints, and the tile each sheet prints.
// Page sizes are in page units (screen pixels at 100 %), margins in
// millimetres, printer values in device pixels.

#include <vector>

#include "platform/CanvasTypes.h"

namespace plume::output {

/// What the layout needs of the printer, in device pixels.
struct PrinterMetrics {
  int dpiX = 0;
  int dpiY = 0;
  int physicalWidth = 0;   ///< whole paper
  int physicalHeight = 0;
  /// Unprintable strips at the paper's edges.
  int offsetLeft = 0;
  int offsetTop = 0;
  int offsetRight = 0;
  int offsetBottom = 0;
};

/// Margins in millimetres (or, for MarginsInPreview, in preview pixels).
struct Margins {
  int left = 25;
  int right = 10;
  int top = 25;
  int bottom = 10;
  friend constexpr bool operator==(const Margins&, const Margins&) = default;
};

inline constexpr int kMaxMarginMm = 50;

/// The smallest margins the printer allows, in whole millimetres: the wider
/// unprintable strip of each direction, rounded up, so a margin at the
/// minimum never reaches into a strip the printer cannot mark.
struct MinMargins {
  int x = 0;
  int y = 0;
};
MinMargins MinimumMargins(const PrinterMetrics& printer);

/// The physical paper size in millimetres (single precision).
float PaperWidthMm(const PrinterMetrics& printer);
float PaperHeightMm(const PrinterMetrics& printer);

/// The paper fitted into `area` less 14 pixels on each side, keeping its proportions, centred.
platform::IntRect FitPaper(const platform::IntRect& area, float paperW, float paperH);

struct SheetGrid {
  int pagesX = 1;
  int pagesY = 1;
  int Count() const { return pagesX * pagesY; }
  friend constexpr bool operator==(const SheetGrid&, const SheetGrid&) = default;
};

/// Sheets across and down for a page of `page` units shown at `screenDpiX` x
/// `screenDpiY`: the integer part of printed size / printable size, plus one;
/// 1 x 1 with `allOne`.
SheetGrid ComputeSheetGrid(platform::Size page, int screenDpiX, int screenDpiY, float paperW, float paperH,
                           const Margins& margins, bool allOne);

/// Preview pixels per screen pixel of the printed size.
float PreviewScale(int paperRectWidth, int screenDpiX, float paperW);
/// The margins in preview pixels (each product truncated).
Margins MarginsInPreview(const Margins& mm, float scale, int screenDpiX, int screenDpiY);
/// The printable area of the preview: the paper less the margins in preview pixels.
platform::IntRect PrintableRect(const platform::IntRect& paperRect, const Margins& previewPx);

/// The size of the preview bitmap: the page at `scale`, or with `allOne` the
/// page fitted into `printable` keeping its proportions. The factor drawn at
/// goes to `zoom`.
platform::Size PreviewBitmapSize(platform::Size page, bool allOne, const platform::IntRect& printable, float scale,
                                 float* zoom);

/// Where sheet `sheet` (1-based, left to right, then top to bottom) of `grid`
/// takes its part of a bitmap cut into tiles of `tile`: the part, clipped to
/// `bitmap`, and the offset of the tile's corner.
platform::IntRect SheetPart(const SheetGrid& grid, int sheet, platform::Size tile, platform::Size bitmap);

/// The range buttons: all sheets, the sheet shown, sheets from-to.
enum class PrintRange { All = 1, Current = 2, FromTo = 3 };
/// `Hani` as a range: 2 and 3 as they are, anything else all sheets.
PrintRange RangeFromHani(int hani);

/// The sheets a print produces, in order. With `allOne` there is exactly one
/// (number 1); an empty list when the range holds none.
std::vector<int> SheetsToPrint(PrintRange range, bool allOne, int sheetCount, int currentSheet, int firstSheet,
                               int lastSheet);

/// The "開始" and "終了" fields after an edit (empty = nullopt-like -1).
int ValidateFirstSheet(int typedFirst, int last);
int ValidateLastSheet(int typedLast, int first, int sheetCount);

/// The printed tiles in device pixels on the paper (origin at the paper's corner).
struct DeviceTiles {
  platform::IntRect tile;       ///< printable part of each sheet: paper less the margins
  platform::Size pageBitmap;    ///< the page drawn at printer resolution
  float zoom = 1.0f;            ///< device pixels per page unit (dpiX / screen dpi)
};
DeviceTiles ComputeDeviceTiles(const PrinterMetrics& printer, const Margins& mm, platform::Size page,
                               int screenDpiX);
/// The one-sheet print: `bitmap` fitted into `tile` keeping its proportions,
/// centred along the dimension it does not fill.
platform::IntRect FitIntoTile(platform::Size bitmap, const platform::IntRect& tile);

/// The margin line under `p` in the preview (within 3 pixels, exclusive):
/// 0 left, 1 top, 2 right, 3 bottom, -1 none, tested in that order.
int MarginLineAt(const platform::IntRect& printable, platform::Point p);
/// A margin from a dragged line `distancePx` preview pixels from its paper
/// edge: integer part of 25.4 / scale / dpi x distance, 49 taken as 50.
int MarginFromDrag(int distancePx, float scale, int screenDpi);
/// The distance a dragged line may lie from its paper edge: minMm to 50 mm in
/// screen pixels (without the preview scale).
int DragLimitPx(int mm, int screenDpi);

/// `Orientation` as stored: 2 landscape, anything else portrait (1).
int OrientationFromSetting(int stored);

}  // namespace plume::output
