// The material index against the scan and grep -r, on generated stores of
// 10,000 and 100,000 materials (1,000,000 with PLUME_BENCH_MILLION=1): each an
// information file and about 200 bytes of related text in Japanese and
// English. Building from nothing, a catch-up that finds nothing new against a
// bare walk of the same files, warm text searches of one, two and more
// characters, the time to the first row, and the database's size against
// the text it holds.
// Run: build/bench/material_index_bench [--benchmark_filter=...]

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/Cp932.h"
#include "store/InfoFileFormat.h"
#include "store/MaterialScan.h"
#include "store/MaterialStore.h"
#include "store/index/MaterialIndex.h"
#include "store/index/MaterialRecord.h"

namespace {

namespace fs = std::filesystem;
using namespace plume::store;
using plume::store::index::MaterialIndex;

/// Words of the related texts (UTF-8, stored as CP932).
const char* const kWords[] = {"潮汐", "観測", "資料", "東京湾", "気象", "記録", "港", "水位", "report",
                              "tide", "harbour", "level", "data", "の", "を", "に", "と", "年", "月"};

std::vector<std::string> Cp932Words() {
  std::vector<std::string> out;
  for (const char* w : kWords) out.push_back(plume::platform::Utf8ToCp932(w));
  return out;
}

/// The store of `count` materials below the temporary folder, made on first use and kept.
fs::path StoreOf(Serial count) {
  const fs::path storePath = fs::temp_directory_path() / ("plume-index-bench-" + std::to_string(count));
  const fs::path root = MaterialStore::RootBelow(storePath);
  const fs::path done = storePath / "complete";
  if (fs::exists(done)) return root;
  fs::remove_all(storePath);
  const auto words = Cp932Words();
  std::mt19937 random(1234);
  for (int b = 0; b < 100; ++b) {
    fs::create_directories(root / "KANRI" / BucketOf(FormatSerial(b)));
    fs::create_directories(root / "TXT" / BucketOf(FormatSerial(b)));
  }
  for (Serial n = 0; n < count; ++n) {
    const std::string serial = FormatSerial(n);
    const MaterialInfo info{"PDF", "800", "600", std::to_string(10000 + n % 5000), "",
                            "page title " + serial, "https://example.org/page/" + serial,
                            "2024.05." + std::string(n % 28 < 9 ? "0" : "") + std::to_string(n % 28 + 1) + " 10:00"};
    const std::string infoText = InfoFileText(info, "/home/user/charts/chart" + std::to_string(n % 50) + ".pbd");
    std::FILE* f = std::fopen(MaterialStore::InfoFileIn(root, serial).c_str(), "wb");
    std::fwrite(infoText.data(), 1, infoText.size(), f);
    std::fclose(f);
    std::string text;
    while (text.size() < 200) {
      text += words[random() % words.size()];
      if (random() % 4 == 0) text += " ";
      if (random() % 25 == 0) text += "\r\n";
    }
    if (n == count / 2) text += "unique needle";
    f = std::fopen(MaterialStore::DataFileIn(root, kTextType, serial).c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
  std::FILE* f = std::fopen(done.c_str(), "wb");
  std::fclose(f);
  return root;
}

fs::path DatabaseOf(Serial count) {
  return fs::temp_directory_path() / ("plume-index-bench-" + std::to_string(count) + ".sqlite");
}

/// The warm index of the store of `count` materials (built once per process when missing).
MaterialIndex& IndexOf(Serial count) {
  static std::map<Serial, std::unique_ptr<MaterialIndex>> open;
  auto& index = open[count];
  if (!index) {
    index = MaterialIndex::Open(DatabaseOf(count), StoreOf(count));
    index->CatchUp(count);
  }
  return *index;
}

class Counter : public ScanObserver {
 public:
  void RowFound(const SearchRow&) override {
    if (rows++ == 0) first = std::chrono::steady_clock::now();
  }
  int rows = 0;
  std::chrono::steady_clock::time_point first;
};

/// Queries by state.range(1): 0 absent word, 1 one rare phrase, 2 one common character, 3 two characters.
SearchConditions Query(std::int64_t kind) {
  SearchConditions c;
  const char* texts[] = {"no such word", "unique needle", "港", "水位"};
  c.text = plume::platform::Utf8ToCp932(texts[kind]);
  return c;
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Args({10000})->Args({100000});
  if (const char* million = std::getenv("PLUME_BENCH_MILLION"); million != nullptr && *million == '1') {
    b->Args({1000000});
  }
}

void QuerySizes(benchmark::internal::Benchmark* b) {
  std::vector<std::int64_t> sizes = {10000, 100000};
  if (const char* million = std::getenv("PLUME_BENCH_MILLION"); million != nullptr && *million == '1') {
    sizes.push_back(1000000);
  }
  for (const std::int64_t n : sizes) {
    for (std::int64_t kind = 0; kind < 4; ++kind) b->Args({n, kind});
  }
}

void BM_IndexBuild(benchmark::State& state) {
  const Serial count = state.range(0);
  const fs::path root = StoreOf(count);
  const fs::path file = fs::temp_directory_path() / ("plume-index-bench-build-" + std::to_string(count) + ".sqlite");
  std::uintmax_t size = 0;
  for (auto _ : state) {
    MaterialIndex::Discard(file);
    auto index = MaterialIndex::Open(file, root);
    benchmark::DoNotOptimize(index->CatchUp(count));
    index.reset();
    std::error_code ec;
    size = fs::file_size(file, ec);
  }
  // The text held: every title and related text.
  std::uintmax_t text = 0;
  for (Serial n = 0; n < count; ++n) {
    std::error_code ec;
    text += fs::file_size(MaterialStore::DataFileIn(root, kTextType, FormatSerial(n)), ec);
    text += 20;  // "page title NNNNNNNN"
  }
  state.counters["dbBytes"] = static_cast<double>(size);
  state.counters["textBytes"] = static_cast<double>(text);
  state.counters["dbPerText"] = static_cast<double>(size) / static_cast<double>(text);
  state.SetItemsProcessed(state.iterations() * count);
  MaterialIndex::Discard(file);
}
BENCHMARK(BM_IndexBuild)->Apply(Sizes)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void BM_IndexCatchUpNothingNew(benchmark::State& state) {
  const Serial count = state.range(0);
  MaterialIndex& index = IndexOf(count);
  for (auto _ : state) benchmark::DoNotOptimize(index.CatchUp(count));
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_IndexCatchUpNothingNew)->Apply(Sizes)->Unit(benchmark::kMillisecond)->UseRealTime();

/// The same files looked at without an index: each information file and related text stat'ed.
void BM_BareWalk(benchmark::State& state) {
  const Serial count = state.range(0);
  const fs::path root = StoreOf(count);
  for (auto _ : state) {
    std::int64_t bytes = 0;
    for (Serial n = 0; n < count; ++n) {
      const std::string serial = FormatSerial(n);
      bytes += index::StampOf(MaterialStore::InfoFileIn(root, serial)).size;
      bytes += index::StampOf(MaterialStore::DataFileIn(root, kTextType, serial)).size;
    }
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_BareWalk)->Apply(Sizes)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_IndexTextSearch(benchmark::State& state) {
  const Serial count = state.range(0);
  MaterialIndex& index = IndexOf(count);
  const SearchConditions c = Query(state.range(1));
  int rows = 0;
  double firstMs = 0;
  for (auto _ : state) {
    Counter counter;
    const auto start = std::chrono::steady_clock::now();
    index.Search(count, 500, c, counter);
    rows = counter.rows;
    if (rows > 0) firstMs = std::chrono::duration<double, std::milli>(counter.first - start).count();
  }
  state.counters["rows"] = rows;
  state.counters["firstRowMs"] = firstMs;
}
BENCHMARK(BM_IndexTextSearch)->Apply(QuerySizes)->ArgNames({"n", "query"})->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_IndexFirstRowNoFilter(benchmark::State& state) {
  const Serial count = state.range(0);
  MaterialIndex& index = IndexOf(count);
  double firstMs = 0;
  for (auto _ : state) {
    Counter counter;
    const auto start = std::chrono::steady_clock::now();
    index.Search(count, 500, SearchConditions{}, counter);
    firstMs = std::chrono::duration<double, std::milli>(counter.first - start).count();
  }
  state.counters["firstRowMs"] = firstMs;
}
BENCHMARK(BM_IndexFirstRowNoFilter)->Apply(Sizes)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ScanTextSearch(benchmark::State& state) {
  const Serial count = state.range(0);
  const fs::path root = StoreOf(count);
  const SearchConditions c = Query(state.range(1));
  int rows = 0;
  for (auto _ : state) {
    Counter counter;
    ScanStore(root, count, 500, c, counter);
    rows = counter.rows;
  }
  state.counters["rows"] = rows;
}
BENCHMARK(BM_ScanTextSearch)->Args({10000, 0})->Args({10000, 1})->Args({100000, 0})->Args({100000, 1})
    ->ArgNames({"n", "query"})->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GrepRecursive(benchmark::State& state) {
  const fs::path root = StoreOf(state.range(0));
  const std::string command = "grep -r -F -l 'no such word' '" + root.string() + "' > /dev/null";
  for (auto _ : state) benchmark::DoNotOptimize(std::system(command.c_str()));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_GrepRecursive)->Apply(Sizes)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
