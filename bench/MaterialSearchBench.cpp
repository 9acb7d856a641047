// The material search over a store of 10,000 materials with related texts:
// a text search that matches nothing (every information file and related
// text read), one that matches a single material, and the time until the
// first row of a search without filters, against grep -r over the same files.
// Run: build/bench/material_search_bench

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "store/MaterialScan.h"
#include "support/BenchStore.h"

namespace {

namespace fs = std::filesystem;
using namespace plume::store;

constexpr Serial kMaterials = 10000;

const fs::path& BenchRoot() {
  // PDF materials: no hash to fill in, so every run does the same work.
  static const fs::path root = plume::bench::MakeBenchStore(
      {"plume-material-search-bench", kMaterials, 5,
       [](Serial n, const std::string& serial) {
         return MaterialInfo{"PDF", "800", "600", std::to_string(10000 + n), "", "page title number " + serial,
                             "https://example.org/page/" + serial, "2024.05.01 10:00"};
       },
       7777});
  return root;
}

class Counter : public ScanObserver {
 public:
  void RowFound(const SearchRow&) override {
    if (rows++ == 0) first = std::chrono::steady_clock::now();
  }
  int rows = 0;
  std::chrono::steady_clock::time_point first;
};

void BM_TextSearch(benchmark::State& state) {
  const fs::path& root = BenchRoot();
  SearchConditions c;
  c.text = state.range(0) == 0 ? "no such word" : "unique needle";
  int rows = 0;
  for (auto _ : state) {
    Counter counter;
    ScanStore(root, kMaterials, 3000, c, counter);
    rows = counter.rows;
  }
  state.counters["rows"] = rows;
  state.SetItemsProcessed(state.iterations() * kMaterials);
}
BENCHMARK(BM_TextSearch)->Arg(0)->Arg(1)->ArgName("matchOne")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TimeToFirstRow(benchmark::State& state) {
  const fs::path& root = BenchRoot();
  double firstMs = 0;
  for (auto _ : state) {
    Counter counter;
    const auto start = std::chrono::steady_clock::now();
    ScanStore(root, kMaterials, 500, SearchConditions{}, counter);
    firstMs = std::chrono::duration<double, std::milli>(counter.first - start).count();
  }
  state.counters["firstRowMs"] = firstMs;
}
BENCHMARK(BM_TimeToFirstRow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GrepRecursive(benchmark::State& state) { plume::bench::GrepStore(state, BenchRoot(), kMaterials); }
BENCHMARK(BM_GrepRecursive)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
