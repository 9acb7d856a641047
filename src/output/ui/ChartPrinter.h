#pragma once
// Printing one chart page on a QPrinter (a CUPS printer or a PDF file): the
// page cut into tiles, one sheet each, or the whole page fitted on one sheet
// with a frame. Each tile is drawn at printer resolution into a bitmap of its
// own, so a large page never needs one bitmap of its whole printed size.

#include <functional>
#include <vector>

#include "platform/Canvas.h"
#include "output/PrintLayout.h"

class QPrinter;

namespace plume::output::ui {

/// Draws the chart page into `canvas` at `zoom` (canvas origin = page origin).
using PagePaint = std::function<void(platform::Canvas& canvas, float zoom)>;

/// The printer's device values; the paper's full size and unprintable strips.
PrinterMetrics MetricsOf(QPrinter& printer);

struct PrintRequest {
  platform::Size page;      ///< page units
  int screenDpi = 96;       ///< page units per inch
  Margins margins;          ///< millimetres
  SheetGrid grid;
  bool allOne = false;
  std::vector<int> sheets;  ///< 1-based, in order (ignored with allOne: one sheet)
};

/// The frame drawn around the one-sheet print.
inline constexpr platform::CanvasColor kOneSheetFrame = 0x007B5E48;

/// Prints the request; the number of sheets printed, or -1 when the
/// document could not be started (nothing printed). A sheet that cannot be
/// started ends the document there.
int PrintSheets(QPrinter& printer, const PrintRequest& request, const PagePaint& paint);

}  // namespace plume::output::ui
