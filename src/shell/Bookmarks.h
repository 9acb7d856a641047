#pragma once
// The browser bar's bookmarks: 16 slots in the settings store (captions in
// BM_NAME, addresses in BM_URL, keys "0" to "15", slot 0 the newest), used
// from slot 0 upward without gaps; an empty caption ends the list.

#include <string>
#include <string_view>
#include <vector>

#include "platform/SettingsStore.h"

namespace plume::shell {

class Bookmarks {
 public:
  struct Entry {
    std::string caption;  ///< CP932
    std::string address;  ///< UTF-8
  };

  /// Bookmark menu entries are command 9000 + slot; 9099 adds the page on show.
  static constexpr int kFirstCommand = 9000;
  static constexpr int kAddCommand = 9099;

  explicit Bookmarks(platform::SettingsStore& store) : store_(store) {}

  /// The slots in use, newest first.
  std::vector<Entry> Entries() const;
  /// The menu captions of the slots in use (CP932), each shortened to
  /// `menuLen` bytes (20..200) on a character boundary with "…" when cut.
  std::vector<std::string> MenuCaptions(int menuLen) const;
  /// The address of `slot`; empty for a slot not in use.
  std::string Address(int slot) const;

  /// Puts `address` first, the others moving one slot down (slot 15 is
  /// lost), with `titleUtf8` cut to 202 bytes of CP932 as its caption (the
  /// address when the title is empty, so the entry cannot end the list).
  /// Nothing happens for an empty address or one already bookmarked; returns
  /// whether it was added.
  bool Add(std::string_view address, std::string_view titleUtf8);
  /// Removes `slot`; the later slots move up and the last one is cleared.
  void Remove(int slot);

 private:
  void Write(const std::vector<Entry>& entries);

  platform::SettingsStore& store_;
};

}  // namespace plume::shell
