#pragma once
// The page bitmap renderer on Qt: a white RGB32 QImage of its own, painted
// through QtCanvas and written by the shared encoder.

#include "capture/PageBitmapRenderer.h"
#include "capture/ui/QtBitmapEncoder.h"

namespace plume::capture::ui {

class QtPageBitmapRenderer : public PageBitmapRenderer {
 public:
  /// JPEG quality from KanSet/Quality in `settings` at every save.
  explicit QtPageBitmapRenderer(const platform::SettingsStore& settings) : encoder_(settings) {}

  bool RenderToFile(platform::Size size, const PaintFn& paint, const std::filesystem::path& path,
                    std::string_view typeName) override;

 private:
  QtBitmapEncoder encoder_;
};

}  // namespace plume::capture::ui
