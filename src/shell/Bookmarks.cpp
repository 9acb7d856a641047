#include "shell/Bookmarks.h"

#include <algorithm>

#include "document/PageTabs.h"
#include "platform/Cp932.h"
#include "platform/SettingsTable.h"

namespace plume::shell {

namespace settings = platform::settings;

std::vector<Bookmarks::Entry> Bookmarks::Entries() const {
  std::vector<Entry> entries;
  for (int slot = 0; slot < settings::kBookmarkCount; ++slot) {
    std::string caption = settings::Get(store_, settings::BookmarkName(slot));
    if (caption.empty()) break;
    entries.push_back({std::move(caption), settings::Get(store_, settings::BookmarkUrl(slot))});
  }
  return entries;
}

std::vector<std::string> Bookmarks::MenuCaptions(int menuLen) const {
  std::vector<std::string> captions;
  for (const Entry& e : Entries()) captions.push_back(document::PageTabs::Caption(e.caption, std::clamp(menuLen, 20, 200)));
  return captions;
}

std::string Bookmarks::Address(int slot) const {
  const std::vector<Entry> entries = Entries();
  return slot >= 0 && slot < static_cast<int>(entries.size()) ? entries[slot].address : std::string();
}

bool Bookmarks::Add(std::string_view address, std::string_view titleUtf8) {
  if (address.empty()) return false;
  std::vector<Entry> entries = Entries();
  for (const Entry& e : entries) {
    if (e.address == address) return false;
  }
  std::string caption = platform::CutToBytes(platform::Utf8ToCp932(titleUtf8.empty() ? address : titleUtf8),
                                             settings::kBookmarkNameMaxBytes);
  entries.insert(entries.begin(), Entry{std::move(caption), std::string(address)});
  if (entries.size() > static_cast<std::size_t>(settings::kBookmarkCount)) entries.resize(settings::kBookmarkCount);
  Write(entries);
  return true;
}

void Bookmarks::Remove(int slot) {
  std::vector<Entry> entries = Entries();
  if (slot < 0 || slot >= static_cast<int>(entries.size())) return;
  entries.erase(entries.begin() + slot);
  Write(entries);
}

void Bookmarks::Write(const std::vector<Entry>& entries) {
  for (int slot = 0; slot < settings::kBookmarkCount; ++slot) {
    const bool used = slot < static_cast<int>(entries.size());
    settings::Set(store_, settings::BookmarkName(slot), used ? entries[slot].caption : std::string());
    settings::Set(store_, settings::BookmarkUrl(slot), used ? entries[slot].address : std::string());
  }
}

}  // namespace plume::shell
