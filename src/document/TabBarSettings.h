#pragma once
// The page tab bar's settings (section Last): caption length and tooltip look.

#include "document/ChartRecords.h"
#include "platform/SettingsStore.h"

namespace plume::document {

struct TabBarSettings {
  static constexpr int kMinCaption = 4;
  static constexpr int kMaxCaption = 50;
  static constexpr int kMinMargin = 0;
  static constexpr int kMaxMargin = 20;

  int captionLength = 10;               ///< PageTileLen, bytes
  ColorRef tipTextColor = 0;            ///< TipTextColor
  int tipMargin = 2;                    ///< TipMargin, pixels on all sides
  ColorRef tipBackColor = 0x00FFFFFF;   ///< TipBkColor

  /// Reads the four keys; values out of range are clamped.
  static TabBarSettings Load(const platform::SettingsStore& store);
  void Save(platform::SettingsStore& store) const;
  /// Caption length and margin brought into their ranges.
  TabBarSettings Clamped() const;
  friend bool operator==(const TabBarSettings&, const TabBarSettings&) = default;
};

}  // namespace plume::document
