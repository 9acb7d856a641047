// The file managers' preview as they run it: plumeboard-tool thumbnail in a
// process of its own, 256 x 256, for the sample chart and for a document
// whose page 1 holds 1,000 picture nodes (each a different 320 x 240 JPEG),
// with the tool's own peak memory and CPU time (wall time on a busy machine
// is mostly waiting for a core); against `plumeboard-tool render` of the
// same page at 100 %, which decodes every picture and paints the whole page.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QColor>
#include <QImage>
#include <QPainter>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "document/CTesselDoc.h"
#include "document/ChartBuilder.h"
#include "document/DemoChart.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/cab/GcabCabinet.h"
#include "platform/qt/QtPictureCodec.h"
#include "platform/qt/QtPixelCodec.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace plume;

plume::platform::Bytes Photo(int seed) {
  QImage image(320, 240, QImage::Format_RGB32);
  image.fill(QColor::fromHsv(seed * 37 % 360, 160, 220));
  QPainter painter(&image);
  painter.setBrush(QColor::fromHsv(seed * 91 % 360, 200, 120));
  painter.drawEllipse(20 + seed % 200, 30, 90, 90);
  painter.drawText(10, 220, QString::number(seed));
  painter.end();
  return platform::EncodeImage(image, "JPEG", 80);
}

struct Documents {
  fs::path dir = fs::temp_directory_path() / "plume-bench-thumbnail";
  fs::path sample = dir / "sample.pbd";
  fs::path pictures = dir / "pictures.pbd";

  Documents() {
    fs::remove_all(dir);
    fs::create_directories(dir);
    platform::ScriptedMessageSink sink;
    platform::ScopedMessageSink guard(&sink);
    platform::MemorySettingsStore store;
    platform::GcabCabinet cabinet;
    platform::QtPictureCodec codec;
    auto doc = document::ChartDocument::Create();
    doc->NewDocument();
    document::FillDemoChart(*doc, platform::QtPixelCodec());
    document::CTesselDoc(*doc, store, cabinet, codec).SaveDocument(sample);

    doc->NewDocument();
    doc->pages[0].pageWidth = 5000;
    doc->pages[0].pageHeight = 5000;
    for (int i = 0; i < 1000; ++i) {
      const int x = 20 + (i % 32) * 155, y = 20 + (i / 32) * 155;
      document::AddTextNode(*doc, "JPEG", i, "写真 " + std::to_string(i), {x, y, x + 140, y + 105});
      document::NodeRecord& node = doc->nodes[doc->nodeCount - 1];
      node.hasImage = 1;
      node.image = doc->pictures.Add(codec.Decode(Photo(i)));
    }
    document::CTesselDoc(*doc, store, cabinet, codec).SaveDocument(pictures);
  }
};

const Documents& Shared() {
  static const Documents documents;
  return documents;
}

struct ToolRun {
  bool ok = false;
  double peakMb = 0;  ///< the tool's own peak resident memory
  double cpuSeconds = 0;  ///< the tool's user and system time
};

/// Runs the tool under /usr/bin/time, which reports the tool's own peak
/// memory (a child spawned from this large process would inherit its peak).
ToolRun RunTool(const std::vector<std::string>& args) {
  const std::string report = (Shared().dir / "time.txt").string();
  std::vector<std::string> all = {"/usr/bin/time", "-f", "%M %U %S", "-o", report, PLUME_TOOL};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return {};
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
  ToolRun run;
  long kb = 0;
  double user = 0, system = 0;
  std::ifstream in(report);
  if (!(in >> kb >> user >> system)) return {};
  run.ok = true;
  run.peakMb = static_cast<double>(kb) / 1024.0;
  run.cpuSeconds = user + system;
  return run;
}

void Run(benchmark::State& state, const fs::path& doc, bool render) {
  const fs::path out = Shared().dir / "out.png";
  const std::vector<std::string> args =
      render ? std::vector<std::string>{"render", doc.string(), out.string()}
             : std::vector<std::string>{"thumbnail", doc.string(), out.string(), "256"};
  ToolRun run;
  for (auto _ : state) {
    run = RunTool(args);
    if (!run.ok) state.SkipWithError("the tool failed");
  }
  state.counters["peak_MB"] = run.peakMb;
  state.counters["tool_cpu_s"] = run.cpuSeconds;
}

void BM_ThumbnailSample(benchmark::State& s) { Run(s, Shared().sample, false); }
void BM_Thumbnail1000Pictures(benchmark::State& s) { Run(s, Shared().pictures, false); }
void BM_RenderSample(benchmark::State& s) { Run(s, Shared().sample, true); }
void BM_Render1000Pictures(benchmark::State& s) { Run(s, Shared().pictures, true); }
BENCHMARK(BM_ThumbnailSample)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Thumbnail1000Pictures)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RenderSample)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Render1000Pictures)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
