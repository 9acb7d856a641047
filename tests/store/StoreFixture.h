#pragma once
// A store in a fresh temporary folder, in-memory settings and a scripted
// message sink, for the store tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/MemorySettingsStore.h"
#include "platform/Messages.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/SettingsTable.h"
#include "store/MaterialScan.h"
#include "store/MaterialStore.h"

namespace plume::store::test {

namespace fs = std::filesystem;

inline fs::path MakeTempFolder(const char* tag) {
  std::random_device rd;
  fs::path dir = fs::temp_directory_path() / (std::string("plume-") + tag + "-" + std::to_string(rd()));
  fs::create_directories(dir);
  return dir;
}

inline std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const fs::path& file, std::string_view bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

/// Number of files and folders below `dir`.
inline int CountEntries(const fs::path& dir) {
  int n = 0;
  for ([[maybe_unused]] const auto& e : fs::recursive_directory_iterator(dir)) ++n;
  return n;
}

/// The rows a scan or an index search passes on, in order.
class Rows : public ScanObserver {
 public:
  void ScanStarted(int max) override { progressMax = max; }
  void RowFound(const SearchRow& row) override { rows.push_back(row); }
  std::vector<std::string> Serials() const {
    std::vector<std::string> out;
    for (const auto& r : rows) out.push_back(r.col[kColSerial]);
    return out;
  }
  int progressMax = -1;
  std::vector<SearchRow> rows;
};

class StoreFixture : public ::testing::Test {
 protected:
  StoreFixture() : dir_(MakeTempFolder("store")), guard_(&sink_) {
    platform::settings::Set(settings_, platform::settings::KanSet::StorePath, (dir_ / "Data").string());
  }
  ~StoreFixture() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  fs::path Root() const { return dir_ / "Data" / "PLUMEDATA"; }

  fs::path dir_;
  platform::MemorySettingsStore settings_;
  platform::ScriptedMessageSink sink_;
  platform::ScopedMessageSink guard_;
  MaterialStore store_{settings_};
};

}  // namespace plume::store::test
