#pragma once
// The ribbon's tooltip texts by element id, from resources/strings/Tooltips.inc.

#include <string>
#include <string_view>

namespace plume::shell {

/// Title, a line break and the description of element `id`; the "%s" of the
/// two state-dependent descriptions is replaced by `fill` as plain text.
/// Empty for an element without a tooltip.
std::string TooltipText(int id, std::string_view fill = {});

/// The tooltip of 355 for the Word export option (OptWord 1: formatted).
std::string WordOptionTooltip(bool formatted);
/// The tooltip of 32829 for the page type on show (empty: unknown).
std::string PageTypeTooltip(std::string_view pageType);
/// The tooltip of the undo or redo button `id`: its title over the step it
/// would take ("移動を元に戻す"); with no step, its own description.
std::string HistoryTooltip(int id, std::string_view stepCaption);

}  // namespace plume::shell
