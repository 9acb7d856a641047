#pragma once
// The page bitmap renderer on Qt: a white RGB32 QImage of its own, painted
// through QtCanvas and written by the shared encoder.

#include "output/PageBitmapRenderer.h"
#include "convert/ui/QtBitmapEncoder.h"

namespace plume::output::ui {

class QtPageBitmapRenderer : public PageBitmapRenderer {
 public:
  /// JPEG quality from KanSet/Quality in `settings` at every save.
  explicit QtPageBitmapRenderer(const platform::SettingsStore& settings) : encoder_(settings) {}

  bool RenderToFile(platform::Size size, const PaintFn& paint, const std::filesystem::path& path,
                    std::string_view typeName) override;

 private:
  convert::ui::QtBitmapEncoder encoder_;
};

}  // namespace plume::output::ui
