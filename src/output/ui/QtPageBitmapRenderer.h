#pragma once
// The page bitmap renderer on Qt: a white RGB32 QImage of its own, painted
// through QtCanvas and written by the shared encoder.

#include <QImage>

#include "output/PageBitmapRenderer.h"
#include "platform/SettingsStore.h"

namespace plume::output::ui {

class QtPageBitmapRenderer : public PageBitmapRenderer {
 public:
  /// JPEG quality from KanSet/Quality in `settings` at every save.
  explicit QtPageBitmapRenderer(const platform::SettingsStore& settings) : settings_(&settings) {}

  bool RenderToFile(platform::Size size, const PaintFn& paint, const std::filesystem::path& path,
                    std::string_view typeName) override;
  bool Paint(platform::Size size, const PaintFn& paint) override;
  /// Painting into a QImage works on any thread; the thread's renderer keeps
  /// the JPEG quality of now, so it never reads the settings.
  std::optional<PageThread> ForThread() const override;

 private:
  /// A thread's renderer: writes scratch files (not forced to the disk).
  explicit QtPageBitmapRenderer(int quality) : quality_(quality), scratchFiles_(true) {}
  /// The painted bitmap; null when it cannot be made (30001 shown).
  QImage PaintedBitmap(platform::Size size, const PaintFn& paint) const;
  int Quality() const;

  const platform::SettingsStore* settings_ = nullptr;
  int quality_ = 0;  ///< without settings
  bool scratchFiles_ = false;
};

}  // namespace plume::output::ui
