#pragma once
// The style defaults of new nodes (settings section NODE) and new slips
// (SLIP): read afresh for every item created, written by the "store as
// default" commands. Colours are kept as decimal text, so -1 (no fill, no
// frame) survives the round trip.

#include "document/ChartRecords.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"

namespace plume::chartview {

class StyleDefaults {
 public:
  using Section = platform::settings::StyleSection;

  /// The stored style of `section`; each missing key gives its default, the
  /// face name is cut to 31 bytes.
  static document::ItemStyle Read(const platform::SettingsStore& store, Section section);
  /// Writes every field of `style` to `section`, key by key.
  static void Write(platform::SettingsStore& store, Section section, const document::ItemStyle& style);
};

}  // namespace plume::chartview
