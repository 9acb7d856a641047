#pragma once
// The page bitmap renderer on Qt: a white RGB32 QImage of its own, painted
// through QtCanvas and written by the shared encoder.

#include "output/PageBitmapRenderer.h"
#include "convert/ui/QtBitmapEncoder.h"

namespace plume::output::ui {

class QtPageBitmapRenderer : public PageBitmapRenderer {
 public:
  /// JPEG quality from KanSet/Quality in `settings` at every save.
  explicit QtPageBitmapRenderer(const platform::SettingsStore& settings) : settings_(settings) {}

  bool RenderToFile(platform::Size size, const PaintFn& paint, const std::filesystem::path& path,
                    std::string_view typeName) override;
  /// The page's QImage and the JPEG quality travel with the writing.
  WriteFn PaintForWriting(platform::Size size, const PaintFn& paint, const std::filesystem::path& path,
                          std::string_view typeName) override;

 private:
  /// The painted page; a null image when it cannot be made (30001 shown).
  QImage Paint(platform::Size size, const PaintFn& paint) const;

  const platform::SettingsStore& settings_;
};

}  // namespace plume::output::ui
