// Opening and saving the full-capacity document (100 pages, 10,000 nodes,
// 10,000 arcs, 1,000 slips, 200 picture nodes holding real JPEG files of about
// 2 KB decoded by QtPictureCodec) as a .pbd file, next to the gcab tool
// packing (gcab -c -z) and unpacking (gcab -x) the same chart data file.

#include <benchmark/benchmark.h>

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "document/CTesselDoc.h"
#include "document/ChartFile.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/SettingsTable.h"
#include "platform/cab/GcabCabinet.h"
#include "platform/qt/QtPictureCodec.h"
#include "support/FullChart.h"

namespace {

namespace fs = std::filesystem;
using plume::document::ChartDocument;
using plume::document::CTesselDoc;
namespace settings = plume::platform::settings;

// A small photo-like JPEG, different for every `seed`.
plume::platform::Bytes SmallJpeg(int seed) {
  QImage image(96, 64, QImage::Format_RGB32);
  image.fill(QColor::fromHsv(seed * 37 % 360, 160, 220));
  QPainter painter(&image);
  painter.setPen(Qt::black);
  painter.drawEllipse(10 + seed % 40, 8, 40, 40);
  painter.drawText(4, 60, QString::number(seed));
  painter.end();
  return plume::platform::EncodeImage(image, "JPEG", 70);
}

struct Fixture {
  fs::path dir = fs::temp_directory_path() / "plume-bench-docio";
  fs::path document = dir / "full.pbd";
  fs::path data = dir / "full.dat";
  std::unique_ptr<ChartDocument> doc = ChartDocument::Create();
  plume::platform::MemorySettingsStore store;
  plume::platform::GcabCabinet cabinet;
  plume::platform::QtPictureCodec codec;
  plume::platform::ScriptedMessageSink sink;
  std::unique_ptr<CTesselDoc> tessel;
  int pictures = 0;

  Fixture() {
    fs::remove_all(dir);
    fs::create_directories(dir);
    plume::testing::FillToCapacity(*doc);
    doc->pictures.ReleaseAll();
    for (int i = 0; i < doc->nodeCount; ++i) {
      if (!doc->nodes[i].hasImage) continue;
      doc->nodes[i].image = doc->pictures.Add(codec.Decode(SmallJpeg(i)));
      ++pictures;
    }
    tessel = std::make_unique<CTesselDoc>(*doc, store, cabinet, codec);
    tessel->SaveDocument(document);
    std::ofstream out(data, std::ios::binary | std::ios::trunc);
    plume::document::WriteChart(*doc, out);
  }
};

Fixture& Shared() {
  static Fixture f;
  return f;
}

void Report(benchmark::State& state, const fs::path& file) {
  state.counters["file_KB"] = static_cast<double>(fs::file_size(file)) / 1024.0;
  state.counters["pictures"] = Shared().pictures;
}

void BM_SaveDocument(benchmark::State& state) {
  Fixture& f = Shared();
  plume::platform::ScopedMessageSink guard(&f.sink);
  settings::Set(f.store, settings::KanSet::MakeBackup, static_cast<int>(state.range(0)));
  for (auto _ : state)
    if (!f.tessel->SaveDocument(f.document)) state.SkipWithError("save failed");
  Report(state, f.document);
}

void BM_OpenDocument(benchmark::State& state) {
  Fixture& f = Shared();
  plume::platform::ScopedMessageSink guard(&f.sink);
  auto doc = ChartDocument::Create();
  plume::platform::MemorySettingsStore store;
  CTesselDoc reader(*doc, store, f.cabinet, f.codec);
  for (auto _ : state)
    if (!reader.OpenDocument(f.document)) state.SkipWithError("open failed");
  Report(state, f.document);
}

// The reference: the gcab tool on the same chart data file (process start included).
void BM_GcabCompress(benchmark::State& state) {
  Fixture& f = Shared();
  const std::string command =
      "cd '" + f.dir.string() + "' && gcab -c -z tool.cab full.dat > /dev/null";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("gcab -c failed");
  Report(state, f.dir / "tool.cab");
}

void BM_GcabExtract(benchmark::State& state) {
  Fixture& f = Shared();
  fs::create_directories(f.dir / "x");
  const std::string command = "gcab -x -C '" + (f.dir / "x").string() + "' '" + f.document.string() + "' > /dev/null";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("gcab -x failed");
  Report(state, f.document);
}

}  // namespace

BENCHMARK(BM_SaveDocument)->Arg(1)->Arg(0)->ArgName("MakeBackup")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GcabCompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GcabExtract)->Unit(benchmark::kMillisecond);
