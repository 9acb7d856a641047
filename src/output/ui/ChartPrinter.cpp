#include "output/ui/ChartPrinter.h"

#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtConvert.h"

namespace plume::output::ui {

using platform::IntRect;
using platform::Size;

namespace {

// Draws `part` of the page, drawn at `zoom`, into a white bitmap of the part's size.
QImage RenderPart(const IntRect& part, float zoom, const PagePaint& paint) {
  QImage image(std::max(part.Width(), 1), std::max(part.Height(), 1), QImage::Format_RGB32);
  if (image.isNull()) return image;
  image.fill(Qt::white);
  platform::QtCanvas canvas(image);
  canvas.SetOrigin({-part.left, -part.top});
  paint(canvas, zoom);
  return image;
}

}  // namespace

PrinterMetrics MetricsOf(QPrinter& printer) {
  const int dpi = printer.resolution();
  const QPageLayout layout = printer.pageLayout();
  const QRect full = layout.fullRectPixels(dpi);
  const QRect paint = layout.paintRectPixels(dpi);
  PrinterMetrics m;
  m.dpiX = dpi;
  m.dpiY = dpi;
  m.physicalWidth = full.width();
  m.physicalHeight = full.height();
  m.offsetLeft = paint.left() - full.left();
  m.offsetTop = paint.top() - full.top();
  m.offsetRight = full.right() - paint.right();
  m.offsetBottom = full.bottom() - paint.bottom();
  return m;
}

int PrintSheets(QPrinter& printer, const PrintRequest& request, const PagePaint& paint) {
  const PrinterMetrics metrics = MetricsOf(printer);
  const DeviceTiles tiles = ComputeDeviceTiles(metrics, request.margins, request.page, request.screenDpi);
  // Device coordinates from the paper's corner: tiles sit at the margins
  // measured from the paper edge, as the preview and the sheet count assume.
  printer.setFullPage(true);
  QPainter painter;
  if (!painter.begin(&printer)) return -1;
  int printed = 0;
  if (request.allOne) {
    const IntRect dest = FitIntoTile(tiles.pageBitmap, tiles.tile);
    // Drawn at the fitted size directly: as sharp as the printer allows, and
    // no bitmap of the whole page at printer resolution.
    const float zoom = request.page.cx > 0 ? static_cast<float>(dest.Width()) / static_cast<float>(request.page.cx) : 1.0f;
    const QImage image = RenderPart({0, 0, dest.Width(), dest.Height()}, zoom, paint);
    painter.drawImage(QRect(dest.left, dest.top, dest.Width(), dest.Height()), image);
    painter.setPen(QPen(platform::ToQColor(kOneSheetFrame), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(dest.left, dest.top, dest.Width() - 1, dest.Height() - 1));
    painter.end();
    return 1;
  }
  const Size tileSize{tiles.tile.Width(), tiles.tile.Height()};
  for (int sheet : request.sheets) {
    if (printed > 0 && !printer.newPage()) break;
    const IntRect part = SheetPart(request.grid, sheet, tileSize, tiles.pageBitmap);
    if (!part.IsEmpty()) painter.drawImage(QPoint(tiles.tile.left, tiles.tile.top), RenderPart(part, tiles.zoom, paint));
    ++printed;
  }
  painter.end();
  return printed;
}

}  // namespace plume::output::ui
