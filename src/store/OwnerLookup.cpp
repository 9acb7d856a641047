#include "store/OwnerLookup.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/Cp932.h"

namespace plume::store {

namespace fs = std::filesystem;

namespace {

/// Plain ASCII other than "?" converts to itself: such a name stands only for itself.
bool MayStandForOthers(std::string_view cp932) {
  for (const char c : cp932) {
    if (c == '?' || static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

std::vector<std::string_view> Components(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

}  // namespace

OwnerPresence OwnerLookup::Find(std::string_view cp932Path) {
  if (cp932Path.empty()) return OwnerPresence::Absent;
  std::error_code ec;
  if (fs::exists(fs::path(platform::Cp932ToUtf8(cp932Path)), ec)) return OwnerPresence::Present;
  // "/" never occurs inside a double-byte CP932 character, so the value splits safely.
  if (cp932Path.front() != '/') return MayStandForOthers(cp932Path) ? OwnerPresence::Unknown : OwnerPresence::Absent;

  bool unsure = false;
  int entriesRead = 0;
  std::vector<fs::path> candidates{fs::path("/")};
  for (const std::string_view part : Components(cp932Path)) {
    std::vector<fs::path> next;
    const bool wide = MayStandForOthers(part);
    for (const fs::path& dir : candidates) {
      if (!wide) {
        const fs::path child = dir / std::string(part);
        if (fs::exists(child, ec)) next.push_back(child);
        continue;
      }
      fs::directory_iterator it(dir, ec);
      if (ec) {
        unsure = true;
        continue;
      }
      for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (++entriesRead > kEntryLimit) return OwnerPresence::Unknown;
        const fs::path& entry = it->path();
        if (platform::Utf8ToCp932(entry.filename().string()) == part) next.push_back(entry);
      }
      if (ec) unsure = true;
    }
    if (next.empty()) return unsure ? OwnerPresence::Unknown : OwnerPresence::Absent;
    candidates = std::move(next);
  }
  return OwnerPresence::Present;
}

}  // namespace plume::store
