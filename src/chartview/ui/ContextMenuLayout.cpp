#include "chartview/ui/ContextMenuLayout.h"

#include <array>

#include "commands/CommandTable.h"

namespace plume::chartview {

namespace {

using K = MenuEntry::Kind;
using commands::CaptionPlace;
using enum commands::CommandId;

/// An item of a popup at `place`, captioned as the command table says for that place.
constexpr MenuEntry Item(CaptionPlace place, commands::CommandId command,
                         document::ColorRef swatch = document::kNoColor) {
  return {K::Item, commands::Id(command), commands::Caption(commands::Id(command), place), swatch};
}
constexpr MenuEntry Separator() { return {K::Separator, 0, {}, document::kNoColor}; }
constexpr MenuEntry Submenu(std::string_view caption) { return {K::SubmenuBegin, 0, caption, document::kNoColor}; }
constexpr MenuEntry End() { return {K::SubmenuEnd, 0, {}, document::kNoColor}; }

constexpr CaptionPlace kView = CaptionPlace::ViewMenu;
constexpr CaptionPlace kNode = CaptionPlace::NodeMenu;
constexpr CaptionPlace kSlip = CaptionPlace::SlipMenu;
constexpr CaptionPlace kSel = CaptionPlace::SelMenu;
constexpr CaptionPlace kZoom = CaptionPlace::ZoomMenu;

constexpr auto kViewMenu = std::to_array<MenuEntry>({
    Submenu("ここに新しいノードを追加(&N)"),
    Item(kView, ID_NEW_NODE_HTML_PDF),
    Item(kView, ID_NEW_NODE_VISIBLE_PDF),
    Item(kView, ID_NEW_NODE_HTML_IMAGE),
    Item(kView, ID_NEW_NODE_VISIBLE_IMAGE),
    Item(kView, ID_NEW_NODE_CLIP_IMAGE),
    Separator(),
    Item(kView, ID_NEW_NODE_FROM_DB),
    End(),
    Submenu("ここに新しい付箋を追加(&S)"),
    Item(kView, ID_NEW_SLIP),
    Item(kView, ID_NEW_SLIP_CLIP_TEXT),
    End(),
    Separator(),
    Item(kView, ID_VIEW_PASTE),
    Separator(),
    Item(kView, ID_SELECT_ALL_NODES),
    Item(kView, ID_SELECT_ALL_SLIPS),
    Separator(),
    Item(kView, ID_CONSOLE_TOP_LEFT),
    Item(kView, ID_VIEW_FULLSCREEN),
    Separator(),
    Item(kView, ID_VIEW_PROPERTY),
});

constexpr auto kNodeMenu = std::to_array<MenuEntry>({
    Item(kNode, ID_VIEW_COPY),
    Item(kNode, ID_NODE_DELETE),
    Separator(),
    Item(kNode, ID_SWAP_PAIR),
    Separator(),
    Item(kNode, ID_TEXT_EDIT),
    Item(kNode, ID_SHOW_SOURCE),
    Item(kNode, ID_SHOW_ORIGINAL),
    Separator(),
    Submenu("透過色の指定(&T)"),
    Item(kNode, ID_TRANS_PICK),
    Separator(),
    Item(kNode, ID_TRANS_BLACK, 0x000000),
    Item(kNode, ID_TRANS_WHITE, 0xFFFFFF),
    Item(kNode, ID_TRANS_RED, 0x0000FF),
    Item(kNode, ID_TRANS_GREEN, 0x00FF00),
    Item(kNode, ID_TRANS_BLUE, 0xFF0000),
    End(),
    Item(kNode, ID_TRANS_OFF),
    Item(kNode, ID_PICTURE_SAVE),
    Separator(),
    Item(kNode, ID_NODE_DEFAULT),
    Item(kNode, ID_NODE_PROPERTY),
});

constexpr auto kSlipMenu = std::to_array<MenuEntry>({
    Item(kSlip, ID_SLIP_COPY),
    Item(kSlip, ID_SLIP_DELETE),
    Separator(),
    Item(kSlip, ID_SWAP_PAIR),
    Separator(),
    Item(kSlip, ID_TEXT_EDIT),
    Item(kSlip, ID_SLIP_DEFAULT),
});

constexpr auto kSelMenu = std::to_array<MenuEntry>({
    Item(kSel, ID_SEL_NODES),
    Item(kSel, ID_SEL_SLIPS),
});

constexpr auto kZoomMenu = std::to_array<MenuEntry>({
    Item(kZoom, ID_ZOOM_100),
    Item(kZoom, ID_ZOOM_200),
    Item(kZoom, ID_ZOOM_300),
    Item(kZoom, ID_ZOOM_400),
    Item(kZoom, ID_ZOOM_FIT),
    Separator(),
    Item(kZoom, ID_CONSOLE_ALWAYS),
});

}  // namespace

std::span<const MenuEntry> ContextMenuLayout::Entries(MenuId id) {
  switch (id) {
    case MenuId::View: return kViewMenu;
    case MenuId::Node: return kNodeMenu;
    case MenuId::Slip: return kSlipMenu;
    case MenuId::Sel: return kSelMenu;
    case MenuId::Zoom: return kZoomMenu;
  }
  return {};
}

}  // namespace plume::chartview
