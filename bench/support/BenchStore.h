#pragma once
// A generated material store for the store benchmarks: information files with
// owners and a 40-line related text per material, made once below the
// temporary folder and kept for later runs; and grep -r over it as a baseline.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include "store/InfoFile.h"
#include "store/MaterialStore.h"
#include "store/SerialCheck.h"
#include "store/StorePaths.h"

namespace plume::bench {

struct BenchStoreSpec {
  const char* folderName;  ///< below the temporary folder
  store::Serial materials;
  unsigned seed;           ///< of the random words in the related texts
  /// The information of material `n` (serial text `serial`).
  std::function<store::MaterialInfo(store::Serial n, const std::string& serial)> info;
  store::Serial needleAt = -1;  ///< this material's related text also says "the unique needle"
};

/// The store's root; made on the first call when the folder lacks the materials.
inline std::filesystem::path MakeBenchStore(const BenchStoreSpec& spec) {
  namespace fs = std::filesystem;
  using store::MaterialStore;
  const fs::path storePath = fs::temp_directory_path() / spec.folderName;
  const fs::path root = MaterialStore::RootBelow(storePath);
  if (store::CheckSerials(root).infoFiles == spec.materials) return root;
  fs::remove_all(storePath);
  std::mt19937 random(spec.seed);
  for (store::Serial n = 0; n < spec.materials; ++n) {
    const std::string serial = store::FormatSerial(n);
    const fs::path infoFile = MaterialStore::InfoFileIn(root, serial);
    store::EnsureFolder(infoFile.parent_path());
    store::InfoFile::WriteInfoAt(infoFile, spec.info(n, serial),
                                 "/home/user/charts/chart" + std::to_string(n % 50) + ".pbd");
    const fs::path text = MaterialStore::DataFileIn(root, store::kTextType, serial);
    store::EnsureFolder(text.parent_path());
    std::ofstream out(text, std::ios::binary);
    for (int line = 0; line < 40; ++line) {
      out << "related text line " << line << " of material " << serial << " word" << random() % 100000 << "\r\n";
    }
    if (n == spec.needleAt) out << "the unique needle\r\n";
  }
  return root;
}

/// grep -r for a word no file holds, over every file of the store at `root`.
inline void GrepStore(benchmark::State& state, const std::filesystem::path& root, store::Serial materials) {
  const std::string command = "grep -r -F -l 'no such word' '" + root.string() + "' > /dev/null";
  for (auto _ : state) benchmark::DoNotOptimize(std::system(command.c_str()));
  state.SetItemsProcessed(state.iterations() * materials);
}

}  // namespace plume::bench
