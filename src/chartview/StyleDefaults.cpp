#include "chartview/StyleDefaults.h"

#include "platform/Cp932.h"

namespace plume::chartview {

namespace settings = platform::settings;

document::ItemStyle StyleDefaults::Read(const platform::SettingsStore& store, Section section) {
  const settings::StyleSettings& s = settings::Style(section);
  document::ItemStyle style{};
  style.refText = settings::Get(store, s.refText);
  style.FontBold = settings::Get(store, s.FontBold);
  style.FontSize = static_cast<std::uint16_t>(settings::Get(store, s.FontSize));
  platform::CopyToField(style.FontName, settings::Get(store, s.FontName));
  style.AlineH = static_cast<std::uint16_t>(settings::Get(store, s.AlineH));
  style.Yohaku = static_cast<std::uint16_t>(settings::Get(store, s.Yohaku));
  style.Wrap = settings::Get(store, s.Wrap);
  style.refMen = settings::Get(store, s.refMen);
  style.Round = settings::Get(store, s.Round);
  style.Futosa = static_cast<std::uint16_t>(settings::Get(store, s.Futosa));
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
