#pragma once
// What the page commands need from the windows around them: the name
// dialog, the chart view's scroll position and clipboard, the material store.
// The modified mark and repaints go through the document's changes.

#include <optional>
#include <string>
#include <string_view>

#include "document/ChartRecords.h"

namespace plume::document {

class PageTabsHost {
 public:
  virtual ~PageTabsHost() = default;
  /// Asks for a page name (CP932), starting with `initial`; nullopt on Cancel.
  /// The dialog itself refuses empty and over-long names.
  virtual std::optional<std::string> AskPageName(std::string_view initialCp932) = 0;
  /// The chart view's scroll position in screen pixels.
  virtual void CurrentScroll(int& x, int& y) = 0;
  /// The current page changed: the view scrolls to its stored position.
  virtual void CurrentPageChanged() = 0;
  /// Empties the chart view's private item clipboard (connected by the item
  /// clipboard's copy and paste when they are built).
  virtual void ClearItemClipboard() = 0;
  /// Deletes a node's material from the store (delete with "Yes").
  virtual void DeleteMaterial(const NodeRecord& node) = 0;
};

}  // namespace plume::document
