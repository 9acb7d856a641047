// Painting a full page through the chart view into a 1920 x 1080 back buffer,
// against a bare QPainter loop drawing the same boxes, lines and texts.
// Run by hand: build/bench/paint_bench.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <memory>
#include <string>

#include "chartview/ChartView.h"
#include "chartview/CoordinateMapping.h"
#include "platform/Cp932.h"
#include "platform/MemorySettingsStore.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtPictureCodec.h"
#include "platform/qt/QtScratchSurface.h"

namespace {

using namespace plume;
using document::ChartDocument;

constexpr int kPage = 5000;
constexpr int kGrid = 50;  // 100 x 100 cells of 50 x 50 page units

std::unique_ptr<ChartDocument> MakePage(int pictures) {
  auto doc = ChartDocument::Create();
  doc->NewDocument();
  doc->pages[0].pageWidth = kPage;
  doc->pages[0].pageHeight = kPage;
  const std::string title = platform::Utf8ToCp932("ノード");
  for (int i = 0; i < ChartDocument::kMaxNodes; ++i) {
    document::NodeRecord& n = doc->nodes[i];
    n = document::NodeRecord{};
    n.nodeId = i + 1;
    const int x = (i % 100) * kGrid, y = (i / 100) * kGrid;
    n.rect = {x + 5, y + 5, x + 45, y + 30};
    n.pageId = 1;
    n.transColor = document::kNoColor;
    platform::CopyToField(n.title, title + std::to_string(i));
    n.style = document::DefaultItemStyle();
  }
  doc->nodeCount = ChartDocument::kMaxNodes;
  for (int i = 0; i < ChartDocument::kMaxArcs; ++i)
    doc->arcs[i] = {i + 1, (i + 1) % ChartDocument::kMaxNodes + 1};
  doc->arcCount = ChartDocument::kMaxArcs;
  for (int i = 0; i < ChartDocument::kMaxSlips; ++i) {
    document::SlipRecord& s = doc->slips[i];
    s = document::SlipRecord{};
    const int x = (i % 40) * 125, y = (i / 40) * 200;
    s.rect = {x + 10, y + 32, x + 110, y + 48};
    s.pageId = 1;
    platform::CopyToField(s.slipText, "slip " + std::to_string(i));
    s.style = document::DefaultItemStyle();
    s.style.refMen = 0x00C0FFFF;
  }
  doc->slipCount = ChartDocument::kMaxSlips;
  if (pictures > 0) {
    QImage image(160, 120, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter p(&image);
    p.fillRect(20, 20, 120, 80, QColor(40, 120, 200));
    p.end();
    // Every 50th node becomes a picture node, half of them with a transparent colour.
    for (int k = 0; k < pictures; ++k) {
      document::NodeRecord& n = doc->nodes[k * 50];
      n.hasImage = 1;
      n.image = doc->pictures.Add(std::make_unique<platform::QtPicture>(image));
      n.transColor = k % 2 ? 0x00FF00FF : document::kNoColor;
      n.titlePos = 2;
    }
  }
  return doc;
}

float FitZoom() { return std::min(1920.0f / kPage, 1080.0f / kPage); }

void PaintView(benchmark::State& state, int pictures, bool fitted) {
  auto doc = MakePage(pictures);
  platform::MemorySettingsStore settings;
  chartview::WindowlessHost host;
  platform::QtScratchSurface scratch;
  chartview::ChartView view(*doc, settings, host, &scratch);
  view.SetZoom(fitted ? FitZoom() : 1.0f);
  view.SetClientSize({1920, 1080});
  QImage buffer(1920, 1080, QImage::Format_RGB32);
  for (auto _ : state) {
    platform::QtCanvas canvas(buffer);
    view.OnDraw(canvas);
  }
  benchmark::DoNotOptimize(buffer.constBits());
}

// The same boxes, arcs and texts with QPainter directly; items outside the
// buffer are skipped as the painter skips them.
void BarePainter(benchmark::State& state, bool fitted) {
  auto doc = MakePage(0);
  const float zoom = fitted ? FitZoom() : 1.0f;
  QImage buffer(1920, 1080, QImage::Format_RGB32);
  const QRect visible(0, 0, 1920, 1080);
  QFont font = platform::QtCanvas::ToQFont({"Meiryo UI", -std::max(1, static_cast<int>(8 * zoom * 96 / 72)), 400});
  for (auto _ : state) {
    QPainter p(&buffer);
    p.fillRect(visible, Qt::white);
    p.setFont(font);
    auto toQ = [zoom](const document::Rect& r) {
      const auto z = chartview::PageToScreen(r, zoom);
      return QRect(z.left, z.top, z.Width(), z.Height());
    };
    p.setPen(QColor(0x1E, 0x1E, 0xFF));
    for (int i = 0; i < doc->arcCount; ++i) {
      const QRect a = toQ(doc->nodes[doc->arcs[i].fromNode - 1].rect);
      const QRect b = toQ(doc->nodes[doc->arcs[i].toNode - 1].rect);
      if (!a.united(b).intersects(visible)) continue;
      p.drawLine(a.center(), b.center());
    }
    for (int i = 0; i < doc->nodeCount; ++i) {
      const QRect r = toQ(doc->nodes[i].rect);
      if (!r.intersects(visible)) continue;
      p.setPen(QColor(0, 0, 0x80));
      p.setBrush(QColor(0xEC, 0xEF, 0xFF));
      p.drawRoundedRect(r, 2.5, 2.5);
      p.drawText(r.adjusted(5, 5, -5, -5), Qt::AlignHCenter | Qt::TextWordWrap,
                 QString::fromStdString(platform::Cp932ToUtf8(platform::FieldText(doc->nodes[i].title))));
    }
    for (int i = 0; i < doc->slipCount; ++i) {
      const QRect r = toQ(doc->slips[i].rect);
      if (!r.intersects(visible)) continue;
      p.setBrush(QColor(0xFF, 0xFF, 0xC0));
      p.drawRoundedRect(r, 7.5, 7.5);
      p.drawText(r.adjusted(5, 5, -5, -5), Qt::AlignHCenter | Qt::TextWordWrap,
                 QString::fromLatin1(platform::FieldText(doc->slips[i].slipText).data()));
    }
  }
  benchmark::DoNotOptimize(buffer.constBits());
}

void BM_Paint100(benchmark::State& s) { PaintView(s, 0, false); }
void BM_PaintFitted(benchmark::State& s) { PaintView(s, 0, true); }
void BM_Paint100Pictures(benchmark::State& s) { PaintView(s, 200, false); }
void BM_PaintFittedPictures(benchmark::State& s) { PaintView(s, 200, true); }
void BM_Bare100(benchmark::State& s) { BarePainter(s, false); }
void BM_BareFitted(benchmark::State& s) { BarePainter(s, true); }

BENCHMARK(BM_Paint100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bare100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintFitted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareFitted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Paint100Pictures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintFittedPictures)->Unit(benchmark::kMillisecond);

}  // namespace
