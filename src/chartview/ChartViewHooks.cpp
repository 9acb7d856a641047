#include "chartview/ChartViewHooks.h"

#include "chartview/StyleDefaults.h"
#include "platform/SettingsTable.h"

namespace plume::chartview {

float ChartViewHooks::Zoom() { return view_.Zoom(); }

void ChartViewHooks::NewDocumentSetUp() {
  view_.LoadZoomFromSettings();
  view_.DocumentShown();
}

document::ItemStyle ChartViewHooks::NodeDefaults() {
  return StyleDefaults::Read(settings_, StyleDefaults::Section::Node);
}

document::ItemStyle ChartViewHooks::SlipDefaults() {
  return StyleDefaults::Read(settings_, StyleDefaults::Section::Slip);
}

std::uint16_t ChartViewHooks::TitlePosDefault() {
  const int stored = platform::settings::Get(settings_, platform::settings::SUB::TitlePos);
  return static_cast<std::uint16_t>(stored >= 0 && stored <= 2 ? stored : 2);
}

}  // namespace plume::chartview
