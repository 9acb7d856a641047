#include "chartview/StyleDefaults.h"

#include <algorithm>

#include "platform/Cp932.h"

namespace plume::chartview {

namespace settings = platform::settings;

document::ItemStyle StyleDefaults::Read(const platform::SettingsStore& store, Section section) {
  const settings::StyleSettings& s = settings::Style(section);
  document::ItemStyle style{};
  // Values edited by hand in the settings file are brought into the ranges of
  // the style controls: sizes 0..65535, switches 0 or 1, alignment 0..2.
  const auto range = [&store](const auto& key, int low, int high) {
    return std::clamp<int>(settings::Get(store, key), low, high);
  };
  style.refText = settings::Get(store, s.refText);
  style.FontBold = range(s.FontBold, 0, 1);
  style.FontSize = static_cast<std::uint16_t>(range(s.FontSize, 0, 65535));
  platform::CopyToField(style.FontName, settings::Get(store, s.FontName));
  style.AlineH = static_cast<std::uint16_t>(range(s.AlineH, 0, 2));
  style.Yohaku = static_cast<std::uint16_t>(range(s.Yohaku, 0, 65535));
  style.Wrap = range(s.Wrap, 0, 1);
  style.refMen = settings::Get(store, s.refMen);
  style.Round = range(s.Round, 0, 1);
  style.Futosa = static_cast<std::uint16_t>(range(s.Futosa, 0, 65535));
  style.refWaku = settings::Get(store, s.refWaku);
  return style;
}

void StyleDefaults::Write(platform::SettingsStore& store, Section section, const document::ItemStyle& style) {
  const settings::StyleSettings& s = settings::Style(section);
  settings::Set(store, s.refText, style.refText);
  settings::Set(store, s.FontBold, style.FontBold);
  settings::Set(store, s.FontSize, style.FontSize);
  settings::Set(store, s.FontName, platform::FieldText(style.FontName));
  settings::Set(store, s.AlineH, style.AlineH);
  settings::Set(store, s.Yohaku, style.Yohaku);
  settings::Set(store, s.Wrap, style.Wrap);
  settings::Set(store, s.refMen, style.refMen);
  settings::Set(store, s.Round, style.Round);
  settings::Set(store, s.Futosa, style.Futosa);
  settings::Set(store, s.refWaku, style.refWaku);
}

}  // namespace plume::chartview
