// store list|info|hash|check: the material store from the command line, for
// people who script their store. Every subcommand only reads.

#include <charconv>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>

#include <nlohmann/json.hpp>

#include "CliCommands.h"
#include "platform/Cp932.h"
#include "platform/FileDescriptor.h"
#include "platform/SettingsTable.h"
#include "platform/qt/QtSettingsStore.h"
#include "store/InfoFile.h"
#include "store/MaterialStore.h"
#include "store/SerialCheck.h"
#include "store/StoreSerials.h"
#include "store/Sha256.h"

namespace plume::cli {
namespace {

namespace fs = std::filesystem;
using nlohmann::ordered_json;
using store::Serial;

constexpr const char* kStoreUsage =
    "usage:\n"
    "  plumeboard-tool store list STOREPATH [--next N]   one JSON line per material\n"
    "  plumeboard-tool store info STOREPATH SERIAL       one material as JSON\n"
    "  plumeboard-tool store hash FILE                   SHA-256 of a file, upper-case hex\n"
    "  plumeboard-tool store check STOREPATH [--next N]  the next serial against the information files\n"
    "  plumeboard-tool store search STOREPATH [--type 0..6] [--from D] [--to D] [--text T] [--hit-max N]\n"
    "                                     [--fulltext]\n"
    "  plumeboard-tool store index STOREPATH [--no-fulltext]  build or update the material index\n"
    "STOREPATH is the folder holding PLUMEDATA (or PLUMEDATA itself). Without --next the\n"
    "counter of the user's settings is used when they name the same store; list walks up\n"
    "to the larger of that counter and the store's own next number.\n";

int StoreUsage() {
  std::cerr << kStoreUsage;
  return 2;
}

std::string Dump(const ordered_json& j) { return j.dump(-1, ' ', false, ordered_json::error_handler_t::replace); }

std::string Utf8(std::string_view cp932) { return platform::Cp932ToUtf8(cp932); }

/// A decimal value as a JSON number; anything else as its text.
ordered_json Number(std::string_view text) {
  long long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec == std::errc() && end == text.data() + text.size() && !text.empty()) return value;
  return Utf8(text);
}

std::optional<fs::path> StoreRoot(std::string_view arg) {
  const fs::path given{std::string(arg)};
  std::error_code ec;
  if (fs::is_directory(store::MaterialStore::RootBelow(given), ec)) return store::MaterialStore::RootBelow(given);
  if (given.filename() == store::kStoreFolder && fs::is_directory(given, ec)) return given;
  std::cerr << "plumeboard-tool: no " << store::kStoreFolder << " folder at " << given.string() << "\n";
  return std::nullopt;
}

/// The counter of the user's settings, when they name the store at `root`.
std::optional<Serial> SettingsCounter(const fs::path& root) {
  platform::QtSettingsStore settings;
  const std::string storePath = platform::settings::Get(settings, platform::settings::KanSet::StorePath);
  std::error_code ec;
  if (storePath.empty() || !fs::equivalent(store::MaterialStore::RootBelow(storePath), root, ec)) return std::nullopt;
  return store::ParseSerial(platform::settings::Get(settings, platform::settings::Sys::No));
}

struct StoreArgs {
  fs::path root;
  std::optional<Serial> next;  ///< from --next
};

std::optional<StoreArgs> ParseStoreArgs(const std::vector<std::string_view>& args) {
  if (args.size() != 2 && !(args.size() == 4 && args[2] == "--next")) return std::nullopt;
  auto root = StoreRoot(args[1]);
  if (!root) return std::nullopt;
  StoreArgs parsed{*root, std::nullopt};
  if (args.size() == 4) {
    Serial n = 0;
    const auto [end, ec] = std::from_chars(args[3].data(), args[3].data() + args[3].size(), n);
    if (ec != std::errc() || end != args[3].data() + args[3].size() || n < 0) return std::nullopt;
    parsed.next = n;
  }
  return parsed;
}

ordered_json MaterialJson(const fs::path& root, Serial number, const store::MaterialInfo& info) {
  const std::string serialText = store::FormatSerial(number);
  const auto owners = store::InfoFile::ReadOwnersAt(store::MaterialStore::InfoFileIn(root, serialText));
  ordered_json j;
  j["serial"] = serialText;
  j["type"] = Utf8(store::MaterialStore::StoredTypeIn(root, info.ext, serialText));
  j["title"] = Utf8(info.title);
  j["date"] = Utf8(info.createDate);
  j["size"] = Number(info.size);
  j["width"] = Number(info.width);
  j["height"] = Number(info.height);
  j["getFrom"] = Utf8(info.getFrom);
  j["owners"] = owners ? owners->count : 0;
  j["firstOwner"] = owners ? owners->firstOwner.string() : std::string();
  j["sha256"] = Utf8(info.sha256);
  return j;
}

int RunList(const std::vector<std::string_view>& args) {
  auto parsed = ParseStoreArgs(args);
  if (!parsed) return StoreUsage();
  // The serials are walked as the search walks them: every number below the
  // larger of the counter and the store's next number (--next overrides both).
  const Serial next = parsed->next ? *parsed->next
                                   : store::SerialWalkEnd(parsed->root, SettingsCounter(parsed->root).value_or(0));
  for (Serial n = 0; n < next; ++n) {
    const auto info = store::InfoFile::ReadInfoAt(store::MaterialStore::InfoFileIn(parsed->root, store::FormatSerial(n)));
    if (!info) continue;
    std::cout << Dump(MaterialJson(parsed->root, n, *info)) << "\n";
  }
  return 0;
}

int RunInfo(const std::vector<std::string_view>& args) {
  if (args.size() != 3) return StoreUsage();
  auto root = StoreRoot(args[1]);
  if (!root) return 1;
  const std::string_view serialArg = args[2];
  if (serialArg.empty() || serialArg.find_first_not_of("0123456789") != std::string_view::npos) return StoreUsage();
  const Serial number = store::ParseSerial(serialArg);
  const std::string serialText = store::FormatSerial(number);
  const fs::path infoFile = store::MaterialStore::InfoFileIn(*root, serialText);
  const auto info = store::InfoFile::ReadInfoAt(infoFile);
  if (!info) {
    std::cerr << "plumeboard-tool: no information file " << infoFile.string() << "\n";
    return 1;
  }
  ordered_json j = MaterialJson(*root, number, *info);
  ordered_json owners = ordered_json::array();
  for (int i = 1;; ++i) {
    const std::string owner = store::InfoFile::ReadInfoTagAt(infoFile, "FilePath", i);
    if (owner.empty()) break;
    owners.push_back(Utf8(owner));
  }
  j["ownerPaths"] = owners;
  const fs::path data = store::MaterialStore::DataFileIn(*root, info->ext, serialText);
  j["dataFile"] = data.string();
  j["dataFileExists"] = !info->ext.empty() && platform::IsRegularFile(data);
  const fs::path text = store::MaterialStore::RelatedTextIn(*root, serialText);
  j["relatedText"] = platform::IsRegularFile(text) ? ordered_json(text.string()) : ordered_json(nullptr);
  std::cout << Dump(j) << "\n";
  return 0;
}

int RunHash(const std::vector<std::string_view>& args) {
  if (args.size() != 2) return StoreUsage();
  const std::string hash = store::FileSha256(fs::path(std::string(args[1])));
  if (hash.empty()) {
    std::cerr << "plumeboard-tool: cannot read " << args[1] << "\n";
    return 1;
  }
  std::cout << hash << "\n";
  return 0;
}

int RunCheck(const std::vector<std::string_view>& args) {
  auto parsed = ParseStoreArgs(args);
  if (!parsed) return StoreUsage();
  const store::SerialCheck check = store::CheckSerials(parsed->root);
  const std::optional<Serial> next = parsed->next ? parsed->next : SettingsCounter(parsed->root);
  ordered_json j;
  j["largest"] = store::FormatSerial(check.largest);
  j["infoFiles"] = check.infoFiles;
  j["expectedNext"] = store::FormatSerial(check.ExpectedNext());
  j["next"] = next ? ordered_json(store::FormatSerial(*next)) : ordered_json(nullptr);
  const auto storeNext = store::ReadStoreNextNumber(parsed->root);
  j["storeNext"] = storeNext ? ordered_json(store::FormatSerial(*storeNext)) : ordered_json(nullptr);
  // ok: the counter follows the files; gap: serials were skipped (harmless);
  // unsafe: the next registration would overwrite a material; unknown: no counter.
  const char* status = !next                             ? "unknown"
                       : *next == check.ExpectedNext()   ? "ok"
                       : check.NextIsSafe(*next)         ? "gap"
                                                         : "unsafe";
  j["status"] = status;
  std::cout << Dump(j) << "\n";
  return std::string_view(status) == "ok" ? 0 : 1;
}

}  // namespace

int RunStore(const std::vector<std::string_view>& args, const ToolCodecs& /*codecs*/) {
  if (args.empty()) return StoreUsage();
  const std::string_view sub = args[0];
  if (sub == "list") return RunList(args);
  if (sub == "info") return RunInfo(args);
  if (sub == "hash") return RunHash(args);
  if (sub == "check") return RunCheck(args);
  if (sub == "search") return RunStoreSearch(args);
  if (sub == "index") return RunStoreIndex(args);
  return StoreUsage();
}

}  // namespace plume::cli
