// store index: builds or catches up the material index of a store from the
// command line, with its progress on standard error and a summary at the end;
// and the index search that store search goes through.

#include <chrono>
#include <iostream>
#include <thread>

#include "CliCommands.h"
#include "platform/SettingsTable.h"
#include "platform/qt/QtSettingsStore.h"
#include "store/MaterialStore.h"
#include "store/StoreSerials.h"
#include "store/index/IndexKeeper.h"
#include "store/index/text/MaterialTextReader.h"

namespace plume::cli {

namespace fs = std::filesystem;
using store::Serial;

namespace {

constexpr const char* kIndexUsage =
    "usage: plumeboard-tool store index STOREPATH [--no-fulltext]\n"
    "Builds the material index of the store in the user's cache folder, or brings it up to date, and\n"
    "reads the text inside the materials (PDF text, pictures by character recognition) unless\n"
    "--no-fulltext is given or the settings turn it off. Progress goes to standard error.\n";

/// The store's root from STOREPATH (the folder holding PLUMEDATA, or PLUMEDATA).
std::optional<fs::path> RootOf(std::string_view arg) {
  const fs::path given{std::string(arg)};
  std::error_code ec;
  if (fs::is_directory(store::MaterialStore::RootBelow(given), ec)) return store::MaterialStore::RootBelow(given);
  if (given.filename() == store::kStoreFolder && fs::is_directory(given, ec)) return given;
  std::cerr << "plumeboard-tool: no " << store::kStoreFolder << " folder at " << given.string() << "\n";
  return std::nullopt;
}

/// The bound of every walk: the user's counter when the settings name this store, and the store's next number.
Serial WalkEnd(const fs::path& root, platform::SettingsStore& settings) {
  Serial next = 0;
  std::error_code ec;
  const std::string storePath = platform::settings::Get(settings, platform::settings::KanSet::StorePath);
  if (!storePath.empty() && fs::equivalent(store::MaterialStore::RootBelow(storePath), root, ec)) {
    next = store::ParseSerial(platform::settings::Get(settings, platform::settings::Sys::No));
  }
  return store::SerialWalkEnd(root, next);
}

}  // namespace

store::ScanResult SearchThroughIndex(const fs::path& root, Serial bound, int hitMax,
                                     const store::SearchConditions& conditions, store::ScanObserver& observer) {
  store::index::IndexKeeper keeper(root, store::index::MaterialIndex::DefaultLocation(root));
  keeper.RequestCatchUp(bound);
  keeper.WaitIdle();
  if (auto result = keeper.Search(bound, hitMax, conditions, observer)) return *result;
  return store::ScanStore(root, bound, hitMax, conditions, observer);
}

int RunStoreIndex(const std::vector<std::string_view>& args) {
  const bool noFullText = args.size() == 3 && args[2] == "--no-fulltext";
  if (args.size() != 2 && !noFullText) {
    std::cerr << kIndexUsage;
    return 2;
  }
  const auto root = RootOf(args[1]);
  if (!root) return 1;
  platform::QtSettingsStore settings;
  const bool fullText = !noFullText && platform::settings::Get(settings, platform::settings::KanSet::FullText) == 1;
  const Serial bound = WalkEnd(*root, settings);
  const fs::path file = store::index::MaterialIndex::DefaultLocation(*root);
  const auto start = std::chrono::steady_clock::now();
  store::index::MaterialTextReader reader;
  store::index::IndexKeeper keeper(*root, file);
  keeper.RequestCatchUp(bound);
  if (fullText) keeper.SetBodyReader(&reader);
  // The keeper works on its own thread; this one reports its progress until it is idle.
  std::thread report([&keeper] {
    for (;;) {
      const store::index::KeeperStatus s = keeper.Status();
      if (s.walking) {
        std::cerr << "\rwalking the store: " << s.walked << " / " << s.total << "        " << std::flush;
      } else if (s.readingBodies) {
        std::cerr << "\rreading the text inside materials: " << s.bodiesDone << " / " << s.materials << "        "
                  << std::flush;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(250));
      if (s.ready && !s.walking && !s.readingBodies) break;
    }
  });
  keeper.WaitIdle(fullText);
  report.join();
  const store::index::KeeperStatus s = keeper.Status();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::error_code ec;
  std::cerr << "\rindex: " << file.string() << "\n"
            << "materials: " << s.materials << " (serials 0.." << bound << " walked)\n"
            << "text read inside: " << (fullText ? std::to_string(s.bodiesDone) : std::string("off")) << "\n"
            << "database size: " << fs::file_size(file, ec) << " bytes\n"
            << "time: " << seconds << " s\n";
  return s.ready ? 0 : 1;
}

}  // namespace plume::cli
