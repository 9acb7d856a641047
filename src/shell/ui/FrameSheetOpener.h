#pragma once
// The store's way to the settings sheet: the main frame opens it.

#include <functional>

#include "store/SettingsSheetOpener.h"

namespace plume::shell {

class FrameSheetOpener final : public store::SettingsSheetOpener {
 public:
  explicit FrameSheetOpener(std::function<bool()> open) : open_(std::move(open)) {}
  bool OpenSettingsSheet() override { return open_ && open_(); }

 private:
  std::function<bool()> open_;
};

}  // namespace plume::shell
