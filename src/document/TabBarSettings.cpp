#include "document/TabBarSettings.h"

#include <algorithm>

#include "platform/SettingsTable.h"

namespace plume::document {

namespace settings = platform::settings;

TabBarSettings TabBarSettings::Load(const platform::SettingsStore& store) {
  TabBarSettings s;
  s.captionLength = settings::Get(store, settings::Last::PageTileLen);
  s.tipTextColor = settings::Get(store, settings::Last::TipTextColor);
  s.tipMargin = settings::Get(store, settings::Last::TipMargin);
  s.tipBackColor = settings::Get(store, settings::Last::TipBkColor);
  return s.Clamped();
}

void TabBarSettings::Save(platform::SettingsStore& store) const {
  settings::Set(store, settings::Last::PageTileLen, captionLength);
  settings::Set(store, settings::Last::TipTextColor, tipTextColor);
  settings::Set(store, settings::Last::TipMargin, tipMargin);
  settings::Set(store, settings::Last::TipBkColor, tipBackColor);
}

TabBarSettings TabBarSettings::Clamped() const {
  TabBarSettings s = *this;
  s.captionLength = std::clamp(s.captionLength, kMinCaption, kMaxCaption);
  s.tipMargin = std::clamp(s.tipMargin, kMinMargin, kMaxMargin);
  return s;
}

}  // namespace plume::document
