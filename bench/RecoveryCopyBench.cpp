// Taking a recovery copy: the part on the window's thread (copying the chart's
// tables, pictures shared) and the whole copy written by the worker, for the
// full-capacity document and for one of 1,000 picture nodes of 50 KB each
// (bytes that do not compress, as a photo's);
// next to a save of the same document, which blocks the window throughout.
// peak_MB is the process's peak memory above what it held before the copy.

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "document/CTesselDoc.h"
#include "document/RecoveryKeeper.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/cab/GcabCabinet.h"
#include "support/FakePicture.h"
#include "support/FullChart.h"

namespace {

namespace fs = std::filesystem;
using plume::document::ChartDocument;
using plume::document::RecoveryKeeper;

enum Kind { kFullCapacity, kThousandPictures };

void Fill(ChartDocument& doc, Kind kind) {
  if (kind == kFullCapacity) {
    plume::testing::FillToCapacity(doc);
    return;
  }
  doc.NewDocument();
  for (int i = 0; i < 1000; ++i) {
    plume::document::NodeRequest node;
    node.dataType = "JPEG";
    node.serial = i;
    node.hasImage = true;
    // Photo-like: the bytes do not compress.
    plume::platform::Bytes bytes = plume::testing::FakeImageBytes(40, 30);
    std::uint32_t noise = 2463534242u + static_cast<std::uint32_t>(i);
    while (bytes.size() < 50'000) {
      noise ^= noise << 13, noise ^= noise >> 17, noise ^= noise << 5;
      bytes.push_back(static_cast<std::uint8_t>(noise));
    }
    node.picture = std::make_unique<plume::testing::FakePicture>(40, 30, std::move(bytes));
    node.x = i % 40 * 20;
    node.y = i / 40 * 20;
    doc.AddNode(std::move(node));
  }
}

// Resident memory figures of this process in kB: the current and the peak.
long StatusKb(const char* key) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind(key, 0) == 0) return std::stol(line.substr(std::string(key).size()));
  return 0;
}

void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

struct Fixture {
  fs::path dir = fs::temp_directory_path() / "plume-bench-recovery";
  std::unique_ptr<ChartDocument> doc = ChartDocument::Create();
  plume::platform::GcabCabinet cabinet;
  plume::platform::ScriptedMessageSink sink;
  plume::platform::ScopedMessageSink guard{&sink};
  std::unique_ptr<RecoveryKeeper> keeper;

  explicit Fixture(Kind kind) {
    fs::remove_all(dir);
    Fill(*doc, kind);
    doc->Changes().MarkModified();
    keeper = RecoveryKeeper::Start(dir, *doc, cabinet, {});
  }
};

void BM_RecoveryCopy(benchmark::State& state) {
  Fixture f(static_cast<Kind>(state.range(0)));
  double snapshotUs = 0;
  double peakMb = 0;
  for (auto _ : state) {
    const long before = StatusKb("VmRSS:");
    ResetPeak();
    f.keeper->CopyNow(RecoveryKeeper::Clock::now());
    f.keeper->WaitIdle();
    peakMb = std::max(peakMb, static_cast<double>(StatusKb("VmHWM:") - before) / 1024.0);
    snapshotUs += std::chrono::duration<double, std::micro>(f.keeper->LastStats().snapshot).count();
  }
  state.counters["window_us"] = snapshotUs / static_cast<double>(state.iterations());
  state.counters["peak_MB"] = peakMb;
  state.counters["copy_MB"] = static_cast<double>(fs::file_size(f.keeper->CopyPath())) / 1048576.0;
}
BENCHMARK(BM_RecoveryCopy)->Arg(kFullCapacity)->Arg(kThousandPictures)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same document saved: the window waits for all of it.
void BM_SaveForComparison(benchmark::State& state) {
  Fixture f(static_cast<Kind>(state.range(0)));
  plume::platform::MemorySettingsStore store;
  plume::testing::FakePictureCodec codec;
  plume::document::CTesselDoc tessel(*f.doc, store, f.cabinet, codec);
  for (auto _ : state) tessel.SaveDocument(f.dir / "saved.pbd");
}
BENCHMARK(BM_SaveForComparison)->Arg(kFullCapacity)->Arg(kThousandPictures)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
