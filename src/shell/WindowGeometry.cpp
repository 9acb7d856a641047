#include "shell/WindowGeometry.h"

#include <algorithm>

#include "platform/SettingsTable.h"

namespace plume::shell {

namespace settings = platform::settings;

Placement LoadPlacement(const platform::SettingsStore& store) {
  Placement p;
  p.box.x = std::max(0, settings::Get(store, settings::Last::PX));
  p.box.y = std::max(0, settings::Get(store, settings::Last::PY));
  p.box.width = settings::Get(store, settings::Last::SX);
  p.box.height = settings::Get(store, settings::Last::SY);
  p.stored = store.ReadInt(settings::Last::SX.section, settings::Last::SX.key).has_value() &&
             store.ReadInt(settings::Last::SY.section, settings::Last::SY.key).has_value() && p.box.width > 0 &&
             p.box.height > 0;
  // A damaged store must not make the window vanish.
  if (p.box.width <= 0) p.box.width = settings::Last::SX.def;
  if (p.box.height <= 0) p.box.height = settings::Last::SY.def;
  p.maximised = settings::Get(store, settings::Last::Zoomed) == 1;
  return p;
}

void SavePlacement(platform::SettingsStore& store, const Placement& placement) {
  settings::Set(store, settings::Last::PX, std::max(0, placement.box.x));
  settings::Set(store, settings::Last::PY, std::max(0, placement.box.y));
  settings::Set(store, settings::Last::SX, placement.box.width);
  settings::Set(store, settings::Last::SY, placement.box.height);
  settings::Set(store, settings::Last::Zoomed, placement.maximised ? 1 : 0);
}

WindowBox ClampToDesktop(WindowBox box, int desktopWidth, int desktopHeight) {
  box.x = std::max(0, box.x);
  box.y = std::max(0, box.y);
  if (box.x + box.width > desktopWidth) box.x = std::max(0, desktopWidth - box.width);
  if (box.y + box.height > desktopHeight) box.y = std::max(0, desktopHeight - box.height);
  return box;
}

WindowBox FirstWindowBox(int desktopWidth, int desktopHeight) {
  desktopWidth = std::max(1, desktopWidth);
  desktopHeight = std::max(1, desktopHeight);
  const int width = std::min(desktopWidth, std::max(settings::Last::SX.def, desktopWidth * 4 / 5));
  const int height = std::min(desktopHeight, std::max(settings::Last::SY.def, desktopHeight * 4 / 5));
  return {(desktopWidth - width) / 2, (desktopHeight - height) / 2, width, height};
}

WindowBox PlaceOnDesktop(const Placement& placement, int desktopWidth, int desktopHeight) {
  const WindowBox first = FirstWindowBox(desktopWidth, desktopHeight);
  if (!placement.stored) return first;
  WindowBox box = placement.box;
  if (box.width > desktopWidth) box.width = first.width;
  if (box.height > desktopHeight) box.height = first.height;
  return ClampToDesktop(box, desktopWidth, desktopHeight);
}

AreaSizes SizesFor(AreaCommand command, int width, int height, AreaSizes current) {
  switch (command) {
    case AreaCommand::Even:
      return {width / 2, height / 2};
    case AreaCommand::HtmlOnly:
      return {width, height};
    case AreaCommand::TextOnly:
      return {width, 0};
    case AreaCommand::ChartOnly:
      return {0, current.htmlHeight};
  }
  return current;
}

AreaSizes LoadAreaSizes(const platform::SettingsStore& store) {
  return {std::max(0, settings::Get(store, settings::Last::cxCur)),
          std::max(0, settings::Get(store, settings::Last::cyCur))};
}

void SaveAreaSizes(platform::SettingsStore& store, AreaSizes sizes) {
  settings::Set(store, settings::Last::cxCur, sizes.leftWidth);
  settings::Set(store, settings::Last::cyCur, sizes.htmlHeight);
}

}  // namespace plume::shell
