#include "store/ui/DialogPlacement.h"

#include <QWidget>

#include <algorithm>

namespace plume::store {

using platform::settings::Get;
using platform::settings::Set;

void RestoreDialogPlacement(QWidget& dialog, const platform::SettingsStore& settings,
                            const platform::settings::WindowPlacementSettings& keys, QSize initial, QSize minimum) {
  dialog.resize(initial);
  dialog.move(std::max(0, Get(settings, keys.PX)), std::max(0, Get(settings, keys.PY)));
  const QSize stored(Get(settings, keys.SX), Get(settings, keys.SY));
  if (stored.width() > 0 && stored.height() > 0) dialog.resize(stored.expandedTo(minimum));
  if (Get(settings, keys.Zoomed) == 1) dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
}

void StoreDialogPlacement(const QWidget& dialog, platform::SettingsStore& settings,
                          const platform::settings::WindowPlacementSettings& keys) {
  const bool maximised = dialog.isMaximized();
  const QRect box = maximised ? dialog.normalGeometry() : QRect(dialog.pos(), dialog.size());
  Set(settings, keys.Zoomed, maximised ? 1 : 0);
  Set(settings, keys.PX, std::max(0, box.x()));
  Set(settings, keys.PY, std::max(0, box.y()));
  Set(settings, keys.SX, box.width());
  Set(settings, keys.SY, box.height());
}

}  // namespace plume::store
