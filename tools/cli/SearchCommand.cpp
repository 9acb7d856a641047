// store search: the material search of the search dialog from the command
// line, one JSON line per row with the dialog's column texts.

#include <charconv>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>

#include <nlohmann/json.hpp>

#include "CliCommands.h"
#include "platform/Cp932.h"
#include "platform/SettingsTable.h"
#include "platform/qt/QtSettingsStore.h"
#include "store/MaterialScan.h"
#include "store/MaterialStore.h"
#include "store/StoreSerials.h"

namespace plume::cli {
namespace {

namespace fs = std::filesystem;
using nlohmann::ordered_json;

constexpr const char* kSearchUsage =
    "usage: plumeboard-tool store search STOREPATH [--type 0..6] [--from YYYY.MM.DD] [--to YYYY.MM.DD]\n"
    "                                   [--text T] [--hit-max N] [--fulltext]\n"
    "One JSON line per matching material with the search list's columns. --type 0 is every type;\n"
    "--hit-max defaults to the HitMax setting. STOREPATH holds PLUMEDATA (or is PLUMEDATA).\n"
    "The search goes through the material index (brought up to date first); --fulltext also looks\n"
    "inside the materials whose text store index has read (a hit's text around it as \"snippet\").\n";

constexpr const char* kKeys[store::kSearchColumnCount] = {"no",   "type", "serial", "title",  "sizeKB", "width",
                                                          "height", "date", "from", "owners", "owner",  "sha256"};

int Usage() {
  std::cerr << kSearchUsage;
  return 2;
}

std::optional<int> ParseInt(std::string_view text, int low, int high) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
  return value;
}

bool IsDate(std::string_view d) {
  if (d.size() != 10 || d[4] != '.' || d[7] != '.') return false;
  for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (d[i] < '0' || d[i] > '9') return false;
  }
  return true;
}

class JsonLines : public store::ScanObserver {
 public:
  void RowFound(const store::SearchRow& row) override {
    ordered_json j;
    for (int c = 0; c < store::kSearchColumnCount; ++c) j[kKeys[c]] = platform::Cp932ToUtf8(row.col[c]);
    if (!row.snippet.empty()) j["snippet"] = platform::Cp932ToUtf8(row.snippet);
    std::cout << j.dump(-1, ' ', false, ordered_json::error_handler_t::replace) << "\n";
  }
};

}  // namespace

int RunStoreSearch(const std::vector<std::string_view>& given) {
  // --fulltext stands alone; the other options come in pairs.
  std::vector<std::string_view> args;
  bool fullText = false;
  for (const std::string_view a : given) {
    if (a == "--fulltext") {
      fullText = true;
    } else {
      args.push_back(a);
    }
  }
  if (args.size() < 2) return Usage();
  fs::path root = store::MaterialStore::RootBelow(fs::path(std::string(args[1])));
  std::error_code ec;
  if (!fs::is_directory(root, ec)) {
    const fs::path given{std::string(args[1])};
    if (given.filename() != store::kStoreFolder || !fs::is_directory(given, ec)) {
      std::cerr << "plumeboard-tool: no " << store::kStoreFolder << " folder at " << given.string() << "\n";
      return 1;
    }
    root = given;
  }
  platform::QtSettingsStore settings;
  store::SearchConditions conditions;
  int hitMax = platform::settings::Get(settings, platform::settings::KanSet::HitMax);
  for (std::size_t i = 2; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return Usage();
    const std::string_view option = args[i];
    const std::string_view value = args[i + 1];
    if (option == "--type") {
      const auto type = ParseInt(value, 0, 6);
      if (!type) return Usage();
      conditions.typeIndex = *type;
    } else if (option == "--from" && IsDate(value)) {
      conditions.date1 = value;
    } else if (option == "--to" && IsDate(value)) {
      conditions.date2 = value;
    } else if (option == "--text") {
      conditions.text = platform::Utf8ToCp932(value);
    } else if (option == "--hit-max") {
      const auto max = ParseInt(value, 1, 1000000);
      if (!max) return Usage();
      hitMax = *max;
    } else {
      return Usage();
    }
  }
  // The bound: the counter of the user's settings when they name this store, and the files present.
  store::Serial next = 0;
  const std::string storePath = platform::settings::Get(settings, platform::settings::KanSet::StorePath);
  if (!storePath.empty() && fs::equivalent(store::MaterialStore::RootBelow(storePath), root, ec)) {
    next = store::ParseSerial(platform::settings::Get(settings, platform::settings::Sys::No));
  }
  JsonLines out;
  conditions.fullText = fullText;
  SearchThroughIndex(root, store::SerialWalkEnd(root, next), hitMax, conditions, out);
  return 0;
}

}  // namespace plume::cli
