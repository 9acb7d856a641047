// Reading and writing the full-capacity chart data file (100 pages, 10,000
// nodes, 10,000 arcs, 1,000 slips, 200 pictures of 10 KB) through files on
// disk, next to copying the same file with std::filesystem and with cp.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "document/ChartFile.h"
#include "support/FakePicture.h"
#include "support/FullChart.h"

namespace {

namespace fs = std::filesystem;
using plume::document::ChartDocument;

struct Fixture {
  fs::path dir = fs::temp_directory_path() / "plume-bench-chart";
  fs::path file = dir / "full.dat";
  std::unique_ptr<ChartDocument> doc = ChartDocument::Create();
  Fixture() {
    fs::create_directories(dir);
    plume::testing::FillToCapacity(*doc, 10 * 1024);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    plume::document::WriteChart(*doc, out);
  }
};

Fixture& Shared() {
  static Fixture f;
  return f;
}

void BM_WriteChartFile(benchmark::State& state) {
  Fixture& f = Shared();
  const fs::path out = f.dir / "written.dat";
  for (auto _ : state) {
    std::ofstream file(out, std::ios::binary | std::ios::trunc);
    if (!plume::document::WriteChart(*f.doc, file)) state.SkipWithError("write failed");
    file.close();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(fs::file_size(out)));
}

void BM_ReadChartFile(benchmark::State& state) {
  Fixture& f = Shared();
  auto doc = ChartDocument::Create();
  plume::testing::FakePictureCodec codec;
  for (auto _ : state) {
    std::ifstream file(f.file, std::ios::binary);
    if (!plume::document::ReadChart(*doc, file, codec)) state.SkipWithError("read failed");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(fs::file_size(f.file)));
}

void BM_CopyFileInProcess(benchmark::State& state) {
  Fixture& f = Shared();
  const fs::path out = f.dir / "copied.dat";
  for (auto _ : state) fs::copy_file(f.file, out, fs::copy_options::overwrite_existing);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(fs::file_size(f.file)));
}

// The reference: the same file copied by cp (a process start included).
void BM_CpCommand(benchmark::State& state) {
  Fixture& f = Shared();
  const std::string command = "cp '" + f.file.string() + "' '" + (f.dir / "cp.dat").string() + "'";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("cp failed");
}

}  // namespace

BENCHMARK(BM_WriteChartFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadChartFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyFileInProcess)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CpCommand)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
