#pragma once
// What the open and save flows need from the chart view and the application
// frame. Fully abstract; a document without a window is given none.

#include <filesystem>
#include <optional>

namespace plume::document {

struct ScrollPosition {
  int x = 0;  ///< screen pixels
  int y = 0;
};

class DocumentViewHooks {
 public:
  virtual ~DocumentViewHooks() = default;
  /// The chart view's scroll position, stored in the current page on save;
  /// nullopt keeps the page's stored values.
  virtual std::optional<ScrollPosition> CurrentScroll() = 0;
  /// Adds a document path at the top of the recent file list. (Whoever asked
  /// for an open or a restore shows the new document, once.)
  virtual void AddRecentFile(const std::filesystem::path& path) = 0;
};

}  // namespace plume::document
