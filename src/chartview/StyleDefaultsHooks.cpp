#include "chartview/StyleDefaultsHooks.h"

#include "chartview/StyleDefaults.h"
#include "platform/SettingsTable.h"

namespace plume::chartview {

document::ItemStyle StyleDefaultsHooks::NodeDefaults() {
  return StyleDefaults::Read(store_, StyleDefaults::Section::Node);
}

document::ItemStyle StyleDefaultsHooks::SlipDefaults() {
  return StyleDefaults::Read(store_, StyleDefaults::Section::Slip);
}

std::uint16_t StyleDefaultsHooks::TitlePosDefault() {
  const int stored = platform::settings::Get(store_, platform::settings::SUB::TitlePos);
  return static_cast<std::uint16_t>(stored >= 0 && stored <= 2 ? stored : 2);
}

}  // namespace plume::chartview
