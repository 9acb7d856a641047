#pragma once
// Captions that already name their key ("均等表示(Ctrl+↑)"): menus must not
// print the key a second time beside them.

#include <string_view>

namespace plume::shell {

/// True when `caption` (UTF-8) names a key in parentheses: "(Ctrl+…)",
/// "(Shift+…)", "(Alt+…)" or a function key "(F1)" to "(F12)".
bool CaptionNamesItsShortcut(std::string_view caption);

}  // namespace plume::shell
