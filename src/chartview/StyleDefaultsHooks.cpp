#include "chartview/StyleDefaultsHooks.h"

#include "chartview/StyleDefaults.h"

namespace plume::chartview {

document::ItemStyle StyleDefaultsHooks::NodeDefaults() {
  return StyleDefaults::Read(store_, StyleDefaults::Section::Node);
}

document::ItemStyle StyleDefaultsHooks::SlipDefaults() {
  return StyleDefaults::Read(store_, StyleDefaults::Section::Slip);
}

void StyleDefaultsHooks::RefreshStyleControls() {
  next_.RefreshStyleControls();
  if (refresh_) refresh_();
}

}  // namespace plume::chartview
