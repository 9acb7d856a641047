#pragma once
// The recent file list: up to 10 document paths, newest first, kept in
// section "Recent File List" as File1..File10 and written on every change.

#include <filesystem>
#include <string>
#include <vector>

#include "platform/SettingsStore.h"

namespace plume::shell {

class RecentFileList {
 public:
  static constexpr int kSize = 10;

  /// Loads the list from `store`, stopping at the first empty entry.
  explicit RecentFileList(platform::SettingsStore& store);

  /// The paths, newest first.
  const std::vector<std::string>& Entries() const { return entries_; }
  /// Entry `number` (1..10); empty when there is none.
  std::string Entry(int number) const;
  /// Puts `path` at the top; an equal entry further down is removed and the
  /// oldest entry falls off a full list.
  void Add(const std::filesystem::path& path);
  /// Removes entry `number` (1..10); later entries move up.
  void Remove(int number);
  void Clear();
  /// Menu caption of entry `number`: "&<number> " and the file name without its folder.
  std::string MenuCaption(int number) const;

 private:
  void Write();

  platform::SettingsStore& store_;
  std::vector<std::string> entries_;
};

}  // namespace plume::shell
