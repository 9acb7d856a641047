#include "shell/RecentFileList.h"

#include <algorithm>

#include "platform/SettingsTable.h"

namespace plume::shell {

namespace settings = platform::settings;

RecentFileList::RecentFileList(platform::SettingsStore& store) : store_(store) {
  for (int n = 1; n <= kSize; ++n) {
    std::string path = settings::Get(store_, settings::RecentFile(n));
    if (path.empty()) break;
    entries_.push_back(std::move(path));
  }
}

std::string RecentFileList::Entry(int number) const {
  if (number < 1 || number > static_cast<int>(entries_.size())) return {};
  return entries_[number - 1];
}

void RecentFileList::Add(const std::filesystem::path& path) {
  const std::string text = path.string();
  if (text.empty()) return;
  std::erase(entries_, text);
  entries_.insert(entries_.begin(), text);
  if (entries_.size() > kSize) entries_.resize(kSize);
  Write();
}

void RecentFileList::Remove(int number) {
  if (number < 1 || number > static_cast<int>(entries_.size())) return;
  entries_.erase(entries_.begin() + (number - 1));
  Write();
}

void RecentFileList::Clear() {
  entries_.clear();
  Write();
}

std::string RecentFileList::MenuCaption(int number) const {
  const std::string path = Entry(number);
  if (path.empty()) return {};
  return "&" + std::to_string(number) + " " + std::filesystem::path(path).filename().string();
}

void RecentFileList::Write() {
  for (int n = 1; n <= kSize; ++n) {
    const auto setting = settings::RecentFile(n);
    if (n <= static_cast<int>(entries_.size())) {
      settings::Set(store_, setting, entries_[n - 1]);
    } else {
      settings::Reset(store_, setting);
    }
  }
}

}  // namespace plume::shell
