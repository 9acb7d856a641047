#include "shell/RibbonTooltips.h"

#include <iterator>

#include "commands/CommandTable.h"

namespace plume::shell {

using commands::Id;
using enum commands::CommandId;
namespace {

struct Tooltip {
  int id;
  std::string_view title;
  std::string_view description;
};

constexpr Tooltip kTooltips[] = {
#define PLUME_TOOLTIP(id, title, description) {id, title, description},
#include "resources/strings/Tooltips.inc"
};

struct Fill {
  int id;
  std::string_view name;
  std::string_view text;
};

constexpr Fill kFills[] = {
#define PLUME_TOOLTIP_FILL(id, name, text) {id, #name, text},
#include "resources/strings/Tooltips.inc"
};

std::string_view FillText(std::string_view name) {
  for (const Fill& f : kFills) {
    if (f.name == name) return f.text;
  }
  return {};
}

}  // namespace

std::string TooltipText(int id, std::string_view fill) {
  for (const Tooltip& t : kTooltips) {
    if (t.id != id) continue;
    std::string text = std::string(t.title) + "\n" + std::string(t.description);
    if (const auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, fill);
    return text;
  }
  return {};
}

std::string WordOptionTooltip(bool formatted) {
  return TooltipText(Id(ID_OPT_WORD), FillText(formatted ? "Formatted" : "PlainText"));
}

std::string HistoryTooltip(int id, std::string_view stepCaption) {
  std::string text = TooltipText(id);
  if (stepCaption.empty()) return text;
  return text.substr(0, text.find('\n')) + "\n" + std::string(stepCaption);
}

std::string PageTypeTooltip(std::string_view pageType) {
  return TooltipText(Id(ID_NOW_DSP), pageType.empty() ? FillText("UnknownPageType") : pageType);
}

}  // namespace plume::shell
