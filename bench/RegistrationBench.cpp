// Registration costs: a dropped 20 MB file against a plain copy, the store's
// number reservation against reading the counter, and registrations per
// second into one store with 1, 2 and 8 writer processes.

#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "capture/ClipboardImagePort.h"
#include "capture/DownloadPort.h"
#include "capture/HtmlAreaPort.h"
#include "capture/PageCapturePort.h"
#include "capture/PdfStepsPort.h"
#include "capture/RegistrationFlows.h"
#include "capture/RegistrationHost.h"
#include "capture/TextAreaPort.h"
#include "platform/MemorySettingsStore.h"
#include "platform/SettingsTable.h"
#include "store/InfoFile.h"
#include "store/MaterialStore.h"
#include "store/StoreSerials.h"

namespace {

namespace fs = std::filesystem;
using namespace plume;

fs::path Scratch(const char* tag) {
  const fs::path dir = fs::temp_directory_path() / (std::string("plume-bench-") + tag + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

void WriteRandom(const fs::path& file, std::size_t size) {
  std::mt19937 random(7);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Ports that do nothing costly: the file path is what is measured.
class Host : public capture::RegistrationHost {
 public:
  Host() : chart(document::ChartDocument::Create()) { chart->NewDocument(); }
  bool EnsureSaved() override { return true; }
  fs::path DocumentPath() override { return "/tmp/bench.pbd"; }
  document::ChartDocument& Chart() override {
    if (chart->nodeCount > 9000) chart->NewDocument();
    return *chart;
  }
  void NodeAdded() override {}
  void StartDropTimer(std::chrono::milliseconds) override {}
  void StopDropTimer() override {}
  std::unique_ptr<document::ChartDocument> chart;
};
class Html : public capture::HtmlAreaPort {
 public:
  std::string PageType() override { return "HTML"; }
  std::string PageTitle() override { return "title"; }
  std::string PageAddress() override { return "http://example.jp/"; }
  void ShowFile(const fs::path&) override {}
  bool PdfTextTaken(const fs::path&) override { return true; }
  void GoBack() override {}
  bool AreaShown() override { return true; }
};
class Text : public capture::TextAreaPort {
 public:
  std::string WholeText() override { return {}; }
};
class NoCapture : public capture::PageCapturePort {
 public:
  std::optional<int> CapturePage(bool, const fs::path&, const capture::CaptureProgress&) override {
    return std::nullopt;
  }
};
class NoPdf : public capture::PdfStepsPort {
 public:
  bool JpegToPdf(const fs::path&, const fs::path&) override { return false; }
  bool TextToPdf(const fs::path&, const fs::path&, std::uint16_t) override { return false; }
  bool Join(const fs::path&, const fs::path&, const fs::path&) override { return false; }
  bool AddInfo(const fs::path&, const fs::path&, const convert::PdfInfoSource&) override { return false; }
};
/// A picture without decoding: the decode cost depends on the codec, not on registration.
class Pictures : public document::NodePicturePort {
 public:
  std::optional<document::NodePicture> LoadNodePicture(const fs::path&, std::string_view, bool) override {
    document::NodePicture p;
    p.pixelWidth = p.displayWidth = 150;
    p.pixelHeight = p.displayHeight = 100;
    return p;
  }
};
class NoDownloads : public capture::DownloadPort {
 public:
  fs::path DownloadToWork(std::string_view, std::string_view) override { return {}; }
};
class NoClipboard : public capture::ClipboardImagePort {
 public:
  capture::ClipboardSave SaveClipboardImage(const fs::path&, std::string_view) override {
    return capture::ClipboardSave::NoBitmap;
  }
};

struct Rig {
  explicit Rig(const fs::path& dir) : work(dir / "work") {
    fs::create_directories(work);
    platform::settings::Set(settings, platform::settings::KanSet::StorePath, (dir / "Data").string());
  }
  fs::path work;
  platform::MemorySettingsStore settings;
  store::MaterialStore store{settings};
  Host host;
  Html html;
  Text text;
  NoCapture capture;
  NoPdf pdf;
  Pictures pictures;
  NoDownloads downloads;
  NoClipboard clipboard;
  capture::RegistrationFlows flows{capture::RegistrationPorts{host, store, settings, html, text, capture, pdf,
                                                              pictures, downloads, clipboard,
                                                              [this] { return work; }}};
};

void BM_DropImageFile20MB(benchmark::State& state) {
  const fs::path dir = Scratch("drop");
  const fs::path source = dir / "big.png";
  WriteRandom(source, 20u << 20);
  Rig rig(dir);
  for (auto _ : state) {
    if (!rig.flows.DropFiles({source}, {10, 10})) state.SkipWithError("registration failed");
  }
  state.SetBytesProcessed(state.iterations() * (20 << 20));
  fs::remove_all(dir);
}
BENCHMARK(BM_DropImageFile20MB)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CopyFile20MB(benchmark::State& state) {
  const fs::path dir = Scratch("cp");
  const fs::path source = dir / "big.png";
  WriteRandom(source, 20u << 20);
  for (auto _ : state) {
    fs::copy_file(source, dir / "copy.png", fs::copy_options::overwrite_existing);
  }
  state.SetBytesProcessed(state.iterations() * (20 << 20));
  fs::remove_all(dir);
}
BENCHMARK(BM_CopyFile20MB)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReserveSerial(benchmark::State& state) {
  const fs::path root = Scratch("reserve") / "PLUMEDATA";
  fs::create_directories(root);
  for (auto _ : state) benchmark::DoNotOptimize(store::ReserveSerial(root, 0));
  fs::remove_all(root.parent_path());
}
BENCHMARK(BM_ReserveSerial)->Unit(benchmark::kMicrosecond);

void BM_PeekNextSerial(benchmark::State& state) {
  platform::MemorySettingsStore settings;
  store::MaterialStore store(settings);
  for (auto _ : state) benchmark::DoNotOptimize(store.PeekNextSerial());
}
BENCHMARK(BM_PeekNextSerial)->Unit(benchmark::kMicrosecond);

/// One small registration without the reservation: peek, store, information file, commit.
void RegisterSmallUnreserved(Rig& rig, const fs::path& source) {
  const store::Serial n = rig.store.PeekNextSerial();
  const std::string text = store::FormatSerial(n);
  rig.store.StoreMaterialFile("PNG", source, text);
  store::InfoFile(rig.store).WriteInfo(text, store::MaterialInfo{"PNG", "1", "1", "64"}, "/tmp/bench.pbd");
  rig.store.CommitSerial(n);
}

void BM_SmallRegistration(benchmark::State& state) {
  const bool reserved = state.range(0) != 0;
  const fs::path dir = Scratch("small");
  const fs::path source = dir / "s.png";
  WriteRandom(source, 64);
  Rig rig(dir);
  for (auto _ : state) {
    if (reserved) {
      rig.flows.DropFiles({source}, {0, 0});
    } else {
      RegisterSmallUnreserved(rig, source);
    }
  }
  state.SetLabel(reserved ? "through the flow, reserved" : "counter only");
  fs::remove_all(dir);
}
BENCHMARK(BM_SmallRegistration)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

/// `writers` processes register 50 small files each into one store.
void BM_Writers(benchmark::State& state) {
  const int writers = static_cast<int>(state.range(0));
  constexpr int kEach = 50;
  for (auto _ : state) {
    state.PauseTiming();
    const fs::path dir = Scratch("writers");
    const fs::path source = dir / "s.png";
    WriteRandom(source, 64);
    state.ResumeTiming();
    for (int w = 0; w < writers; ++w) {
      if (fork() == 0) {
        Rig rig(dir);  // each writer has its own settings, counter at 0
        for (int i = 0; i < kEach; ++i) rig.flows.DropFiles({source}, {0, 0});
        _exit(0);
      }
    }
    for (int w = 0; w < writers; ++w) wait(nullptr);
    state.PauseTiming();
    fs::remove_all(dir);
    state.ResumeTiming();
  }
  state.counters["registrations/s"] =
      benchmark::Counter(static_cast<double>(writers * kEach * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Writers)->Arg(1)->Arg(2)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
