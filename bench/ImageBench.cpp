// Node picture loading and page scaling. LoadNodePicture of a 4000 x 3000
// PNG with alpha against Qt's own decoding of the same file; one page band
// (1280 x 4000) scaled to 1000 wide against QImage's smooth scaling.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <filesystem>

#include "convert/NodePictureLoader.h"
#include "convert/PixelScaling.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/qt/QtPixelCodec.h"

namespace {

std::filesystem::path AlphaPng() {
  static const std::filesystem::path path = [] {
    QImage image(4000, 3000, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 40; ++i) p.fillRect(i * 100, i * 70, 600, 400, QColor(i * 6, 255 - i * 6, 128, 60 + i * 4));
    p.end();
    const auto file = std::filesystem::temp_directory_path() / "plume_bench_alpha.png";
    image.save(QString::fromStdString(file.string()));
    return file;
  }();
  return path;
}

void BM_LoadNodePicture(benchmark::State& state) {
  plume::platform::ScriptedMessageSink sink;
  plume::platform::ScopedMessageSink guard(&sink);
  plume::platform::MemorySettingsStore settings;
  plume::platform::QtPixelCodec codec;
  plume::convert::NodePictureLoader loader(codec, settings);
  const auto path = AlphaPng();
  for (auto _ : state) {
    plume::convert::NodePictureSize size;
    plume::document::ColorRef key = -1;
    benchmark::DoNotOptimize(loader.LoadNodePicture(path, "PNG", false, size, key));
  }
}
BENCHMARK(BM_LoadNodePicture)->Unit(benchmark::kMillisecond);

void BM_QtDecodeSamePng(benchmark::State& state) {
  const auto path = QString::fromStdString(AlphaPng().string());
  for (auto _ : state) benchmark::DoNotOptimize(QImage(path));
}
BENCHMARK(BM_QtDecodeSamePng)->Unit(benchmark::kMillisecond);

void BM_ScaleBand(benchmark::State& state) {
  plume::platform::PixelImage band(1280, 4000, 0xFF336699);
  for (auto _ : state) benchmark::DoNotOptimize(plume::convert::ScaleSmooth(band, 1000, 3125));
}
BENCHMARK(BM_ScaleBand)->Unit(benchmark::kMillisecond);

void BM_QtScaleBand(benchmark::State& state) {
  QImage band(1280, 4000, QImage::Format_ARGB32);
  band.fill(0xFF336699);
  for (auto _ : state) benchmark::DoNotOptimize(band.scaled(1000, 3125, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}
BENCHMARK(BM_QtScaleBand)->Unit(benchmark::kMillisecond);

}  // namespace
