#include "output/PrintLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace plume::output {

using platform::IntRect;
using platform::Point;
using platform::Size;

namespace {

constexpr float kMmPerInch = 25.4f;
constexpr int kPaperInset = 14;     // preview pixels left around the paper
constexpr int kLineHitDistance = 3; // a margin line is hit closer than this

int CeilMm(int px, int dpi) {
  if (dpi <= 0 || px <= 0) return 0;
  return static_cast<int>(std::ceil(static_cast<double>(px) * kMmPerInch / dpi));
}

int MmToPx(int mm, int dpi) { return static_cast<int>(static_cast<float>(mm) * static_cast<float>(dpi) / kMmPerInch); }

}  // namespace

MinMargins MinimumMargins(const PrinterMetrics& p) {
  return {CeilMm(std::max(p.offsetLeft, p.offsetRight), p.dpiX), CeilMm(std::max(p.offsetTop, p.offsetBottom), p.dpiY)};
}

float PaperWidthMm(const PrinterMetrics& p) {
  return p.dpiX > 0 ? static_cast<float>(p.physicalWidth) / static_cast<float>(p.dpiX) * kMmPerInch : 0.0f;
}

float PaperHeightMm(const PrinterMetrics& p) {
  return p.dpiY > 0 ? static_cast<float>(p.physicalHeight) / static_cast<float>(p.dpiY) * kMmPerInch : 0.0f;
}

IntRect FitPaper(const IntRect& area, float paperW, float paperH) {
  const float availW = static_cast<float>(area.Width() - 2 * kPaperInset);
  const float availH = static_cast<float>(area.Height() - 2 * kPaperInset);
  if (paperW <= 0.0f || paperH <= 0.0f || availW <= 0.0f || availH <= 0.0f) return {};
  float width = 0.0f;
  float height = 0.0f;
  if (paperH > paperW) {
    const float r = paperH / paperW;
    width = availW;
    height = availW * r;
    if (height >= availH) {
      width = availH / r;
      height = availH;
    }
  } else {
    const float r = paperW / paperH;
    width = availH * r;
    height = availH;
    if (width >= availW) {
      width = availW;
      height = availW / r;
    }
  }
  const int w = static_cast<int>(width);
  const int h = static_cast<int>(height);
  const int left = area.left + (area.Width() - w) / 2;
  const int top = area.top + (area.Height() - h) / 2;
  return {left, top, left + w, top + h};
}

SheetGrid ComputeSheetGrid(Size page, int screenDpiX, int screenDpiY, float paperW, float paperH,
                           const Margins& m, bool allOne) {
  if (allOne || screenDpiX <= 0 || screenDpiY <= 0) return {1, 1};
  const float pageWmm = static_cast<float>(page.cx) / static_cast<float>(screenDpiX) * kMmPerInch;
  const float pageHmm = static_cast<float>(page.cy) / static_cast<float>(screenDpiY) * kMmPerInch;
  const float printW = paperW - static_cast<float>(m.left + m.right);
  const float printH = paperH - static_cast<float>(m.top + m.bottom);
  // A paper with no printable width would need endless sheets: one is all there is.
  const int across = printW > 0.0f ? static_cast<int>(pageWmm / printW) + 1 : 1;
  const int down = printH > 0.0f ? static_cast<int>(pageHmm / printH) + 1 : 1;
  return {across, down};
}

float PreviewScale(int paperRectWidth, int screenDpiX, float paperW) {
  if (screenDpiX <= 0 || paperW <= 0.0f) return 1.0f;
  return (static_cast<float>(paperRectWidth) / static_cast<float>(screenDpiX) * kMmPerInch) / paperW;
}

Margins MarginsInPreview(const Margins& mm, float scale, int sX, int sY) {
  auto px = [scale](int value, int dpi) {
    return static_cast<int>(scale * (static_cast<float>(value) * static_cast<float>(dpi) / kMmPerInch));
  };
  return {px(mm.left, sX), px(mm.right, sX), px(mm.top, sY), px(mm.bottom, sY)};
}

IntRect PrintableRect(const IntRect& paper, const Margins& px) {
  return {paper.left + px.left, paper.top + px.top, paper.right - px.right, paper.bottom - px.bottom};
}

Size PreviewBitmapSize(Size page, bool allOne, const IntRect& printable, float scale, float* zoom) {
  float factor = scale;
  if (allOne && page.cx > 0 && page.cy > 0) {
    const float t = static_cast<float>(printable.Width()) / static_cast<float>(page.cx);
    const float v = static_cast<float>(printable.Height()) / static_cast<float>(page.cy);
    factor = std::min(t, v);
  }
  if (zoom) *zoom = factor;
  return {static_cast<int>(static_cast<float>(page.cx) * factor), static_cast<int>(static_cast<float>(page.cy) * factor)};
}

IntRect SheetPart(const SheetGrid& grid, int sheet, Size tile, Size bitmap) {
  const int index = std::max(sheet, 1) - 1;
  const int column = index % std::max(grid.pagesX, 1);
  const int row = index / std::max(grid.pagesX, 1);
  const int left = column * tile.cx;
  const int top = row * tile.cy;
  return {left, top, std::clamp(left + tile.cx, left, std::max(bitmap.cx, left)),
          std::clamp(top + tile.cy, top, std::max(bitmap.cy, top))};
}

PrintRange RangeFromHani(int hani) {
  if (hani == 2) return PrintRange::Current;
  if (hani == 3) return PrintRange::FromTo;
  return PrintRange::All;
}

std::vector<int> SheetsToPrint(PrintRange range, bool allOne, int sheetCount, int current, int first, int last) {
  if (allOne) return {1};
  std::vector<int> sheets;
  int from = 1;
  int to = sheetCount;
  if (range == PrintRange::Current) {
    from = to = current;
  } else if (range == PrintRange::FromTo) {
    from = first;
    to = last;
  }
  for (int n = std::max(from, 1); n <= std::min(to, sheetCount); ++n) sheets.push_back(n);
  return sheets;
}

int ValidateFirstSheet(int typedFirst, int last) {
  if (typedFirst < 1) return 1;
  return last < typedFirst ? std::max(last, 1) : typedFirst;
}

int ValidateLastSheet(int typedLast, int first, int sheetCount) {
  if (typedLast > sheetCount) return sheetCount;
  if (typedLast < first) return first;
  return typedLast;
}

DeviceTiles ComputeDeviceTiles(const PrinterMetrics& p, const Margins& mm, Size page, int screenDpiX) {
  DeviceTiles out;
  out.tile = {MmToPx(mm.left, p.dpiX), MmToPx(mm.top, p.dpiY), p.physicalWidth - MmToPx(mm.right, p.dpiX),
              p.physicalHeight - MmToPx(mm.bottom, p.dpiY)};
  out.zoom = screenDpiX > 0 ? static_cast<float>(p.dpiX) / static_cast<float>(screenDpiX) : 1.0f;
  out.pageBitmap = {static_cast<int>(static_cast<float>(page.cx) * out.zoom),
                    static_cast<int>(static_cast<float>(page.cy) * out.zoom)};
  return out;
}

IntRect FitIntoTile(Size bitmap, const IntRect& tile) {
  if (bitmap.cx <= 0 || bitmap.cy <= 0) return {tile.left, tile.top, tile.left, tile.top};
  const double f = std::min(static_cast<double>(tile.Width()) / bitmap.cx, static_cast<double>(tile.Height()) / bitmap.cy);
  const int w = static_cast<int>(bitmap.cx * f);
  const int h = static_cast<int>(bitmap.cy * f);
  const int left = tile.left + (tile.Width() - w) / 2;
  const int top = tile.top + (tile.Height() - h) / 2;
  return {left, top, left + w, top + h};
}

int MarginLineAt(const IntRect& r, Point p) {
  if (std::abs(p.x - r.left) < kLineHitDistance) return 0;
  if (std::abs(p.y - r.top) < kLineHitDistance) return 1;
  if (std::abs(p.x - r.right) < kLineHitDistance) return 2;
  if (std::abs(p.y - r.bottom) < kLineHitDistance) return 3;
  return -1;
}

int MarginFromDrag(int distancePx, float scale, int screenDpi) {
  if (scale <= 0.0f || screenDpi <= 0) return 0;
  const int mm = static_cast<int>(kMmPerInch / scale / static_cast<float>(screenDpi) * static_cast<float>(distancePx));
  return mm == kMaxMarginMm - 1 ? kMaxMarginMm : mm;
}

int DragLimitPx(int mm, int screenDpi) { return MmToPx(mm, screenDpi); }

int OrientationFromSetting(int stored) { return stored == 2 ? 2 : 1; }

}  // namespace plume::output
