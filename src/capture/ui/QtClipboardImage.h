#pragma once
// The clipboard's image saved as an image file: taken from QClipboard, made
// a 32-bit bitmap (red, green and blue masks 0xFF0000, 0x00FF00, 0x0000FF)
// and written by the shared image encoder. See-through parts stay in a PNG
// and are laid over white in the other types.

#include "capture/ClipboardImagePort.h"
#include "platform/SettingsStore.h"

namespace plume::capture::ui {

class QtClipboardImage : public ClipboardImagePort {
 public:
  explicit QtClipboardImage(const platform::SettingsStore& settings) : settings_(settings) {}
  ClipboardSave SaveClipboardImage(const std::filesystem::path& path, std::string_view typeWord) override;
  bool ImageHasAlpha() override;

 private:
  const platform::SettingsStore& settings_;
};

}  // namespace plume::capture::ui
