#pragma once
// A context menu of the chart view as data: which popup of the menu resource
// to show and the state of the items whose state the view decides. Items not
// listed keep their resource state (enabled, unchecked).

#include <vector>

namespace plume::chartview {

enum class MenuId { View, Node, Slip, Sel, Zoom };

struct MenuItemState {
  int command = 0;
  bool enabled = true;
  bool checked = false;
  friend constexpr bool operator==(const MenuItemState&, const MenuItemState&) = default;
};

struct ContextMenu {
  MenuId id = MenuId::View;
  std::vector<MenuItemState> items;

  /// The state of `command`; nullptr when the menu leaves it to the resource.
  const MenuItemState* Find(int command) const {
    for (const MenuItemState& item : items)
      if (item.command == command) return &item;
    return nullptr;
  }
};

}  // namespace plume::chartview
