// Unpacks arbitrary bytes as a cabinet into a fresh folder and checks that
// nothing lands outside it: not beside it, not through a symlink planted in
// it, not in a staging folder left behind. Any breach aborts the run.

#include <glib.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "platform/cab/GcabCabinet.h"

namespace {

namespace fs = std::filesystem;
using plume::platform::CabinetTag;

[[noreturn]] void Breach(const std::string& what) {
  std::fprintf(stderr, "cabinet extraction breach: %s\n", what.c_str());
  std::abort();
}

std::set<std::string> Listing(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& item : fs::directory_iterator(folder))
    names.insert(item.path().filename().string());
  return names;
}

void IgnoreLog(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

/// A private folder for the whole run, removed at exit; shared memory when there is some.
const fs::path& Root() {
  static char folder[64] = "/tmp/plume-cab-fuzz-XXXXXX";  // outlives static destructors
  static const fs::path root = [] {
    g_log_set_default_handler(IgnoreLog, nullptr);  // libgcab warns about bad blocks
    if (fs::exists("/dev/shm"))
      std::snprintf(folder, sizeof folder, "/dev/shm/plume-cab-fuzz-XXXXXX");
    if (mkdtemp(folder) == nullptr) Breach("cannot make the fuzz folder");
    std::atexit([] {
      std::error_code ignored;
      fs::remove_all(folder, ignored);
    });
    return fs::path(folder);
  }();
  return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fs::path& root = Root();
  const fs::path cab = root / "input.cab";
  const fs::path box = root / "box";
  const fs::path target = box / "target";
  const fs::path outside = root / "outside";
  fs::remove_all(box);
  fs::remove(outside);
  fs::create_directories(target);
  // Names a stored entry may well carry, pointing out of the target folder.
  fs::create_symlink(outside, target / "a");
  fs::create_symlink(outside, target / "plan.pbd");
  std::ofstream(cab, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  plume::platform::ExtractOptions options;
  options.maxTotalBytes = 1u << 20;  // keeps runs fast; the limit is checked before writing
  std::size_t reported = 0;
  options.onFile = [&](const plume::platform::ExtractedFile&) { ++reported; };
  const plume::platform::ExtractResult result =
      plume::platform::GcabCabinet().ExtractAll(cab, target, options);

  if (Listing(root) != std::set<std::string>{"input.cab", "box"}) Breach("a file beside the box");
  if (Listing(box) != std::set<std::string>{"target"}) Breach("a file beside the target folder");
  if (fs::exists(fs::symlink_status(outside))) Breach("written through a planted symlink");
  for (const std::string& name : Listing(target))
    if (name.starts_with(".plume-cab-")) Breach("staging folder left behind");
  if (reported != result.files.size()) Breach("reported files differ from the result");
  for (const auto& file : result.files) {
    if (file.path.parent_path() != target || file.path.filename() != file.name)
      Breach("path " + file.path.string());
    if (!fs::is_regular_file(fs::symlink_status(file.path)))
      Breach("not a regular file " + file.name);
  }
  if (result.ok != result.tag.empty()) Breach("tag and outcome disagree");
  if (!result.ok && result.tag != CabinetTag::kFileCopy && result.tag != CabinetTag::kFileName &&
      result.tag != CabinetTag::kTooLarge)
    Breach("unexpected tag " + result.tag);
  return 0;
}
