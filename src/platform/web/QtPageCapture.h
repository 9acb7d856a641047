#pragma once
// PageCapture on Qt WebEngine. The part on screen is grabbed from the HTML
// area's view. The whole page is drawn by a second, off-screen view of the
// same profile (same cookies and logins) that loads the page on show, as
// wide as the page and one band high (plus a marker row), without scroll
// bars; each band is scrolled to and grabbed once a frame shows the band's
// marker colour and two grabs 16 ms apart agree. Fixed and
// sticky elements are hidden after the first band, so they appear once. The
// HTML area itself is never resized or scrolled.

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <memory>

#include "platform/PageCapture.h"

class QWebEnginePage;
class QWebEngineView;

namespace plume::platform {

class QtPageCapture : public PageCapture {
 public:
  /// `view` is the HTML area's view; it must outlive this object or be deleted by Qt (then captures fail).
  explicit QtPageCapture(QWebEngineView* view);
  ~QtPageCapture() override;

  Size ViewportSize() override;
  std::optional<PixelImage> GrabVisible() override;
  PageInfo OpenPage() override;
  std::optional<PixelImage> DrawBand(int top, int height, int& actualTop) override;
  void ClosePage() override;

  /// Milliseconds a page may take to load or a script to answer.
  static constexpr int kTimeoutMs = 30000;

 private:
  std::optional<QVariant> RunScript(const QString& script);
  std::optional<Size> MeasurePage();
  QImage StableGrab(int rows, QRgb marker);

  QPointer<QWebEngineView> view_;
  std::unique_ptr<QWebEngineView> offscreen_;
  bool firstBandDrawn_ = false;
  int bands_ = 0;
};

}  // namespace plume::platform
