#pragma once
// A resizable dialog's position, size and maximised state kept in its
// settings section between showings.

#include <QSize>

#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"

class QWidget;

namespace plume::store {

/// Gives `dialog` the size `initial`, then the stored position (negative values as 0) and
/// the stored size, at least `minimum`; maximises it when it was maximised.
void RestoreDialogPlacement(QWidget& dialog, const platform::SettingsStore& settings,
                            const platform::settings::WindowPlacementSettings& keys, QSize initial, QSize minimum);

/// Stores `dialog`'s restored rectangle (also while it is maximised) and whether it is maximised.
void StoreDialogPlacement(const QWidget& dialog, platform::SettingsStore& settings,
                          const platform::settings::WindowPlacementSettings& keys);

}  // namespace plume::store
