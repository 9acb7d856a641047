// FileSha256 on a 256 MiB file against sha256sum and openssl on the same file.
// All four read the file from the page cache (it is hashed once before timing).
// Run: build/bench/sha256_bench [--benchmark_filter=...]

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "store/Sha256.h"

namespace {

namespace fs = std::filesystem;
using plume::store::Sha256Engine;

constexpr std::size_t kFileBytes = std::size_t{256} << 20;

const fs::path& BenchFile() {
  static const fs::path file = [] {
    fs::path path = fs::temp_directory_path() / "plume-sha256-bench.bin";
    std::error_code ec;
    if (fs::file_size(path, ec) != kFileBytes) {
      std::mt19937_64 random(42);
      std::vector<std::uint64_t> chunk((std::size_t{1} << 20) / 8);
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      for (std::size_t written = 0; written < kFileBytes; written += chunk.size() * 8) {
        for (auto& word : chunk) word = random();
        out.write(reinterpret_cast<const char*>(chunk.data()), static_cast<std::streamsize>(chunk.size() * 8));
      }
    }
    (void)plume::store::FileSha256(path);  // into the page cache
    return path;
  }();
  return file;
}

void RunTool(benchmark::State& state, const std::string& command) {
  const std::string line = command + " '" + BenchFile().string() + "' > /dev/null";
  for (auto _ : state) {
    if (std::system(line.c_str()) != 0) {
      state.SkipWithError(("failed: " + command).c_str());
      break;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
}

void BM_FileSha256(benchmark::State& state, Sha256Engine engine) {
  const fs::path& file = BenchFile();
  if (engine == Sha256Engine::ShaNi && !plume::store::Sha256HasShaNi()) {
    state.SkipWithError("no SHA extensions on this CPU");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(plume::store::FileSha256(file, engine));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
}

BENCHMARK_CAPTURE(BM_FileSha256, ShaNi, Sha256Engine::ShaNi)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK_CAPTURE(BM_FileSha256, Portable, Sha256Engine::Portable)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK_CAPTURE(RunTool, sha256sum, std::string("sha256sum"))->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK_CAPTURE(RunTool, openssl, std::string("openssl dgst -sha256"))
    ->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

}  // namespace

BENCHMARK_MAIN();
