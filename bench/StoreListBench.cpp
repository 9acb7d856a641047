// Listing a store of 10,000 materials by walking the serial numbers, as the
// material search does (information file and owners of every serial; with a
// text filter also every related text), against grep -r over the same files.
// Run: build/bench/store_list_bench

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "store/InfoFile.h"
#include "store/InfoLineReader.h"
#include "store/MaterialStore.h"
#include "support/BenchStore.h"

namespace {

namespace fs = std::filesystem;
using namespace plume::store;

constexpr Serial kMaterials = 10000;

/// A generated store below the temporary folder; made once per run.
const fs::path& BenchRoot() {
  static const fs::path root = plume::bench::MakeBenchStore(
      {"plume-store-list-bench", kMaterials, 3, [](Serial n, const std::string& serial) {
         return MaterialInfo{n % 3 == 0 ? "PDF" : "JPEG", "800", "600", std::to_string(10000 + n), "",
                             "page title number " + serial, "https://example.org/page/" + serial,
                             "2024.05." + std::string(n % 28 < 9 ? "0" : "") + std::to_string(1 + n % 28) + " 10:00"};
       }});
  return root;
}

bool RelatedTextHas(const fs::path& file, std::string_view word) {
  std::ifstream in(file, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (line.find(word) != std::string::npos) return true;
  }
  return false;
}

void BM_WalkSerials(benchmark::State& state) {
  const fs::path& root = BenchRoot();
  const bool searchText = state.range(0) != 0;
  const std::string word = "no such word";
  for (auto _ : state) {
    int rows = 0;
    for (Serial n = 0; n < kMaterials; ++n) {
      const std::string serial = FormatSerial(n);
      const auto info = InfoFile::ReadInfoAt(MaterialStore::InfoFileIn(root, serial));
      if (!info || info->ext.empty()) continue;
      if (searchText && info->title.find(word) == std::string::npos &&
          !RelatedTextHas(MaterialStore::RelatedTextIn(root, serial), word)) {
        continue;
      }
      const auto owners = InfoFile::ReadOwnersAt(MaterialStore::InfoFileIn(root, serial));
      rows += owners ? 1 : 0;
    }
    benchmark::DoNotOptimize(rows);
  }
  state.SetItemsProcessed(state.iterations() * kMaterials);
}
BENCHMARK(BM_WalkSerials)->Arg(0)->Arg(1)->ArgName("textFilter")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GrepRecursive(benchmark::State& state) { plume::bench::GrepStore(state, BenchRoot(), kMaterials); }
BENCHMARK(BM_GrepRecursive)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
