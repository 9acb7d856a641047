#include "chartview/StoredDefaultsHooks.h"

#include "chartview/StyleDefaults.h"
#include "platform/SettingsTable.h"

namespace plume::chartview {

document::ItemStyle StoredDefaultsHooks::NodeDefaults() {
  return StyleDefaults::Read(settings_, StyleDefaults::Section::Node);
}

document::ItemStyle StoredDefaultsHooks::SlipDefaults() {
  return StyleDefaults::Read(settings_, StyleDefaults::Section::Slip);
}

std::uint16_t StoredDefaultsHooks::TitlePosDefault() {
  const int stored = platform::settings::Get(settings_, platform::settings::SUB::TitlePos);
  return static_cast<std::uint16_t>(stored >= 0 && stored <= 2 ? stored : 2);
}

}  // namespace plume::chartview
