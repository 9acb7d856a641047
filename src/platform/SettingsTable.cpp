#include "platform/SettingsTable.h"

#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/Cp932.h"

namespace plume::platform::settings {
namespace {

/// Appends every key of a style section, in field order.
void AppendStyle(std::vector<AnySetting>& all, const StyleSettings& style) {
  all.insert(all.end(), {style.refText, style.FontBold, style.FontSize, style.FontName, style.AlineH, style.Yohaku,
                         style.Wrap, style.refMen, style.Round, style.Futosa, style.refWaku});
}

/// Appends the placement keys of a window.
void AppendPlacement(std::vector<AnySetting>& all, const WindowPlacementSettings& placement) {
  all.insert(all.end(), {placement.PX, placement.PY, placement.SX, placement.SY, placement.Zoomed});
}

std::vector<AnySetting> BuildTable() {
  std::vector<AnySetting> all = {
      KanSet::StorePath, KanSet::FirstOpen, KanSet::ViewW, KanSet::ViewH, KanSet::PlayAnime,
      KanSet::MakeBackup, KanSet::ImageW, KanSet::Quality, KanSet::ImageType, KanSet::ImageDefW,
      KanSet::Home, KanSet::MenuLen, KanSet::NodeWClick, KanSet::NodeWidth, KanSet::NodeHeight,
      KanSet::SlipWidth, KanSet::SlipHeight, KanSet::TateYokoKotei, KanSet::RefleshPic, KanSet::HitMax,
      KanSet::Fukugen, KanSet::Kakunin, KanSet::FullText, KanSet::RecoveryMin,

      Last::FilePath, Last::Zoom, Last::ZoomX, Last::ZoomY, Last::DocType, Last::cxCur, Last::cyCur,
      Last::PageTileLen, Last::TipTextColor, Last::TipMargin, Last::TipBkColor, Last::WebGoku, Last::OptWord,
      Last::SearchKubetu, Last::SearchTango, Last::SearchText};
  AppendPlacement(all, Last::Placement);
  all.push_back(SUB::TitlePos);
  AppendStyle(all, NODE);
  AppendStyle(all, SLIP);
  all.insert(all.end(), {Insatu::PaperSize, Insatu::Orientation, Insatu::MarginLmm, Insatu::MarginRmm,
                         Insatu::MarginTmm, Insatu::MarginBmm, Insatu::AllOne, Insatu::Hani, Insatu::DspYohaku});
  AppendPlacement(all, Insatu::Placement);
  all.insert(all.end(), {Kensaku::Type, Kensaku::Date1, Kensaku::Date2, Kensaku::Text, Kensaku::FullText});
  AppendPlacement(all, DbDlg::Placement);
  AppendPlacement(all, TextDlg::Placement);
  all.push_back(Sys::No);
  for (int number = 1; number <= kRecentFileCount; ++number) all.push_back(RecentFile(number));
  for (int slot = 0; slot < kBookmarkCount; ++slot) all.push_back(BookmarkName(slot));
  for (int slot = 0; slot < kBookmarkCount; ++slot) all.push_back(BookmarkUrl(slot));
  return all;
}

}  // namespace

std::span<const AnySetting> AllSettings() {
  static const std::vector<AnySetting> table = BuildTable();
  return table;
}

int Get(const SettingsStore& store, const IntSetting& setting) {
  if (setting.key.empty()) return setting.def;
  return store.ReadInt(setting.section, setting.key).value_or(setting.def);
}

std::string Get(const SettingsStore& store, const StringSetting& setting) {
  std::optional<std::string> stored;
  if (!setting.key.empty()) stored = store.ReadString(setting.section, setting.key);
  if (!stored) return std::string(setting.def);
  if (setting.encoding == TextEncoding::Utf8) return std::move(*stored);
  std::string text = Utf8ToCp932(*stored);
  if (setting.maxBytes > 0) text.resize(Cp932CutLength(text, setting.maxBytes));
  return text;
}

std::int32_t Get(const SettingsStore& store, const ColorSetting& setting) {
  if (setting.key.empty()) return setting.def;
  return store.ReadInt(setting.section, setting.key).value_or(setting.def);
}

void Set(SettingsStore& store, const IntSetting& setting, int value) {
  if (setting.key.empty()) return;
  store.WriteInt(setting.section, setting.key, value);
}

void Set(SettingsStore& store, const StringSetting& setting, std::string_view value) {
  if (setting.key.empty()) return;
  if (setting.encoding == TextEncoding::Utf8) {
    store.WriteString(setting.section, setting.key, value);
    return;
  }
  if (setting.maxBytes > 0) value = value.substr(0, Cp932CutLength(value, setting.maxBytes));
  store.WriteString(setting.section, setting.key, Cp932ToUtf8(value));
}

void Set(SettingsStore& store, const ColorSetting& setting, std::int32_t value) {
  if (setting.key.empty()) return;
  store.WriteString(setting.section, setting.key, std::to_string(value));
}

void Reset(SettingsStore& store, const AnySetting& setting) {
  if (KeyOf(setting).empty()) return;
  store.Remove(SectionOf(setting), KeyOf(setting));
}

std::string_view SectionOf(const AnySetting& setting) {
  return std::visit([](const auto& s) { return s.section; }, setting);
}

std::string_view KeyOf(const AnySetting& setting) {
  return std::visit([](const auto& s) { return s.key; }, setting);
}

std::string ValueText(const SettingsStore& store, const AnySetting& setting) {
  return std::visit(
      [&store](const auto& s) -> std::string {
        using T = std::decay_t<decltype(s)>;
        if constexpr (std::is_same_v<T, StringSetting>) {
          const std::string text = Get(store, s);
          return s.encoding == TextEncoding::Cp932 ? Cp932ToUtf8(text) : text;
        } else {
          return std::to_string(Get(store, s));
        }
      },
      setting);
}

std::string DefaultText(const AnySetting& setting) {
  return std::visit(
      [](const auto& s) -> std::string {
        using T = std::decay_t<decltype(s)>;
        if constexpr (std::is_same_v<T, StringSetting>) {
          return std::string(s.def);
        } else {
          return std::to_string(s.def);
        }
      },
      setting);
}

}  // namespace plume::platform::settings
