#include "chartview/ui/ContextMenuLayout.h"

#include <array>

namespace plume::chartview {

namespace {

using K = MenuEntry::Kind;

constexpr MenuEntry Item(int command, const char* caption, document::ColorRef swatch = document::kNoColor) {
  return {K::Item, command, caption, swatch};
}
constexpr MenuEntry Separator() { return {K::Separator, 0, nullptr, document::kNoColor}; }
constexpr MenuEntry Submenu(const char* caption) { return {K::SubmenuBegin, 0, caption, document::kNoColor}; }
constexpr MenuEntry End() { return {K::SubmenuEnd, 0, nullptr, document::kNoColor}; }

constexpr auto kView = std::to_array<MenuEntry>({
    Submenu("ここに新しいノードを追加(&N)"),
    Item(32771, "ＨＴＭＬ全体をＰＤＦにして(&H)"),
    Item(32798, "ＨＴＭＬの表示部分をＰＤＦにして(&R)"),
    Item(32825, "ＨＴＭＬ全体をイメージにして(&M)"),
    Item(32826, "ＨＴＭＬの表示部分をイメージにして(&I)"),
    Item(32786, "クリップボード内のイメージから(&K)"),
    Separator(),
    Item(32830, "データベースから選択して(&V)"),
    End(),
    Submenu("ここに新しい付箋を追加(&S)"),
    Item(32856, "空の付箋を追加(&S)"),
    Item(32868, "クリップボード内のテキストから(&T)"),
    End(),
    Separator(),
    Item(393, "貼り付け(&V)\tCtrl+V"),
    Separator(),
    Item(32784, "すべてのノードを選択(&A)\tCtrl+A"),
    Item(32857, "すべての付箋を選択(&W)\tCtrl+W"),
    Separator(),
    Item(341, "ズームコンソールを左上に表示(&Z)"),
    Item(507, "全画面(&F)\tF11"),
    Separator(),
    Item(350, "ビューのプロパティ(&P)"),
});

constexpr auto kNode = std::to_array<MenuEntry>({
    Item(32792, "コピー(&C)\tCtrl+C"),
    Item(32795, "削除(&D)\tDelete"),
    Separator(),
    Item(32797, "前面・背面交換(&G)"),
    Separator(),
    Item(345, "テキスト編集(&E)"),
    Item(32813, "ＨＴＭＬエリアに取得先を表示する(&H)"),
    Item(32824, "ＨＴＭＬエリアに原本を表示する(&O)"),
    Separator(),
    Submenu("透過色の指定(&T)"),
    Item(372, "クリック指定(&T)"),
    Separator(),
    Item(374, "黒色 RGB(0, 0, 0) (&S)", 0x000000),
    Item(375, "白色 RGB(255, 255, 255) (&W)", 0xFFFFFF),
    Item(376, "赤色 RGB(255, 0, 0) (&R)", 0x0000FF),
    Item(377, "緑色 RGB(0, 255, 0) (&G)", 0x00FF00),
    Item(378, "青色 RGB(0, 0, 255) (&B)", 0xFF0000),
    End(),
    Item(399, "透過色の解除(&K)"),
    Item(403, "イメージをファイルに保存(&F)"),
    Separator(),
    Item(401, "初期値にする(&N)"),
    Item(32782, "ノードのプロパティ(&P)"),
});

constexpr auto kSlip = std::to_array<MenuEntry>({
    Item(32853, "コピー(&E)\tCtrl+E"),
    Item(32854, "削除(&D)\tDelete"),
    Separator(),
    Item(32797, "前面・背面交換(&G)"),
    Separator(),
    Item(345, "テキスト編集(&T)\tWClick"),
    Item(400, "初期値にする(&S)"),
});

constexpr auto kSel = std::to_array<MenuEntry>({
    Item(32862, "　「ノード」を選択(&N)"),
    Item(32863, "　「付箋」を選択(&S)"),
});

constexpr auto kZoom = std::to_array<MenuEntry>({
    Item(336, "100%(&1)"),
    Item(337, "200%(&2)"),
    Item(338, "300%(&3)"),
    Item(339, "400%(&4)"),
    Item(340, "画面に合せて表示(&F)"),
    Separator(),
    Item(335, "ズームコンソールを常に表示(&Z)"),
});

}  // namespace

std::span<const MenuEntry> ContextMenuLayout::Entries(MenuId id) {
  switch (id) {
    case MenuId::View: return kView;
    case MenuId::Node: return kNode;
    case MenuId::Slip: return kSlip;
    case MenuId::Sel: return kSel;
    case MenuId::Zoom: return kZoom;
  }
  return {};
}

}  // namespace plume::chartview
