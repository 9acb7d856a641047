#include "chartview/ChartView.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "chartview/CoordinateMapping.h"
#include "chartview/PagePainter.h"
#include "chartview/PaintChartPage.h"
#include "platform/SettingsTable.h"

namespace plume::chartview {

namespace settings = platform::settings;
using platform::IntRect;

ChartView::ChartView(document::ChartDocument& doc, platform::SettingsStore& settings, ViewHost& host,
                     platform::ScratchSurface* scratch)
    : doc_(doc), settings_(settings), host_(host), scratch_(scratch) {
  LoadZoomFromSettings();
}

void ChartView::LoadZoomFromSettings() {
  const float percent = static_cast<float>(settings::Get(settings_, settings::Last::Zoom));
  zoom_ = std::clamp(percent / 100.0f, kMinZoom, kMaxZoom);
}

void ChartView::SaveZoomToSettings() const { settings::Set(settings_, settings::Last::Zoom, ZoomPercent()); }

void ChartView::SetZoom(float factor) {
  if (std::isnan(factor)) return;
  zoom_ = std::clamp(factor, kMinZoom, kMaxZoom);
  host_.SetScrollExtent(ScrollExtent());
  host_.RebuildConsole();
  doc_.Changes().RequestRepaint(true);
  doc_.Changes().MarkModified();
}

void ChartView::ChangeZoom(int percentDelta) {
  SetZoom(zoom_ + static_cast<float>(percentDelta) / 100.0f);
}

bool ChartView::RunZoomCommand(int id) {
  switch (id) {
    case kCmdZoom100: SetZoom(1.0f); return true;
    case kCmdZoom200: SetZoom(2.0f); return true;
    case kCmdZoom300: SetZoom(3.0f); return true;
    case kCmdZoom400: SetZoom(4.0f); return true;
    case kCmdZoomFit: {
      const document::PageRecord& page = doc_.CurrentPage();
      if (page.pageWidth == 0 || page.pageHeight == 0) return true;
      SetZoom(std::min(static_cast<float>(client_.cx) / static_cast<float>(page.pageWidth),
                       static_cast<float>(client_.cy) / static_cast<float>(page.pageHeight)));
      return true;
    }
    default: return false;
  }
}

platform::Size ChartView::ScrollExtent() const {
  if (doc_.header.pageCount == 0) return {};
  const document::PageRecord& page = doc_.CurrentPage();
  return {ZoomLength(page.pageWidth + 50, zoom_), ZoomLength(page.pageHeight + 50, zoom_)};
}

PaintParams ChartView::MakeParams() {
  PaintParams params = PageParams(settings_, scratch_, doc_.header.currentPage, zoom_);
  params.editTarget = editTarget_;
  return params;
}

void ChartView::DrawPage(platform::Canvas& canvas, int pageIndex) {
  PaintParams params = MakeParams();
  params.pageIndex = pageIndex;
  PaintChartPage(doc_, canvas, params);
}

void ChartView::OnDraw(platform::Canvas& backBuffer) {
  if (doc_.header.pageCount > 0) {
    const document::PageRecord& page = doc_.CurrentPage();
    const int wz = ZoomLength(page.pageWidth, zoom_);
    const int hz = ZoomLength(page.pageHeight, zoom_);
    backBuffer.SetOrigin({-scroll_.x, -scroll_.y});
    // Only the screen paint keeps what hit-testing needs.
    PaintResult result;
    PaintChartPage(doc_, backBuffer, MakeParams(), &result);
    for (const auto& [index, title] : result.titleRects) doc_.nodeStates[index].titleRect = title;
    markers_ = std::move(result.markers);
    // Nothing of an earlier paint may stay beside or below a smaller page.
    const int right = scroll_.x + client_.cx;
    const int bottom = scroll_.y + client_.cy;
    const platform::Brush white = platform::Brush::Solid(0x00FFFFFF);
    if (right > wz) backBuffer.Rectangle({std::max(wz, scroll_.x), scroll_.y, right, bottom}, {}, white);
    if (bottom > hz) {
      const IntRect below{scroll_.x, std::max(hz, scroll_.y), std::min(wz, right), bottom};
      if (!below.IsEmpty()) backBuffer.Rectangle(below, {}, white);
    }
    backBuffer.SetOrigin({0, 0});
  }
  host_.DrawConsole(backBuffer);
  WriteStatusPanes();
}

void ChartView::WriteStatusPanes() {
  const document::Rect* r = nullptr;
  if (doc_.focusedNode >= 0 && doc_.focusedNode < doc_.nodeCount)
    r = &doc_.nodes[doc_.focusedNode].rect;
  else if (doc_.focusedSlip >= 0 && doc_.focusedSlip < doc_.slipCount)
    r = &doc_.slips[doc_.focusedSlip].rect;
  char position[32];
  char size[32];
  std::snprintf(position, sizeof position, "%d, %d", r ? r->left : -1, r ? r->top : -1);
  std::snprintf(size, sizeof size, "%d x %d", r ? r->Width() : 0, r ? r->Height() : 0);
  host_.ShowStatusPanes(position, size);
}

bool ChartView::StepHistory(bool back) {
  if (!(back ? CanUndo() : CanRedo()) || doc_.header.pageCount == 0) return false;
  doc_.CurrentPage().scrollX = scroll_.x;
  doc_.CurrentPage().scrollY = scroll_.y;
  return back ? doc_.History().Undo(doc_) : doc_.History().Redo(doc_);
}

bool ChartView::Undo() { return StepHistory(true); }

bool ChartView::Redo() { return StepHistory(false); }

void ChartView::DocumentShown() {
  editTarget_ = 0;
  doc_.ClearSelection();
  if (doc_.header.dialRadius < 40 || doc_.header.dialRadius > 140)
    doc_.header.dialRadius = document::ChartDocument::kDefaultDialRadius;
  host_.SetScrollExtent(ScrollExtent());
  host_.RebuildConsole();
  if (doc_.header.pageCount > 0) scroll_ = {doc_.CurrentPage().scrollX, doc_.CurrentPage().scrollY};
  doc_.History().Reset(doc_);
  doc_.Changes().RequestRepaint(true);
}

}  // namespace plume::chartview
