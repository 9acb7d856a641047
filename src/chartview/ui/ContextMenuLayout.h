#pragma once
// The chart view's context menus as a resource: for each popup (VIEW, NODE,
// SLIP, SEL, ZOOM) its items in order, with separators and submenus; the
// items' captions come from the command table. The controller decides which
// items are greyed or checked; this table only says what the menus hold.

#include <span>
#include <string_view>

#include "chartview/ContextMenu.h"
#include "document/ChartRecords.h"

namespace plume::chartview {

/// One line of a popup.
struct MenuEntry {
  enum class Kind { Item, Separator, SubmenuBegin, SubmenuEnd };
  Kind kind = Kind::Item;
  int command = 0;                ///< Item only
  std::string_view caption;       ///< UTF-8 with its "&" mnemonic and "\t" accelerator text
  /// Colour swatch shown beside the item (transparent-colour items), -1 for none.
  document::ColorRef swatch = document::kNoColor;
};

class ContextMenuLayout {
 public:
  /// The entries of popup `id`, submenus opened and closed in place.
  static std::span<const MenuEntry> Entries(MenuId id);
};

}  // namespace plume::chartview
