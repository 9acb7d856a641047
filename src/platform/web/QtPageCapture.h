#pragma once
// PageCapture on Qt WebEngine.
//
// The whole page is drawn from a copy of the document on show, never from a
// second load of its address: the HTML area's DOM as it is now (see
// ShownDocumentScript.h) is written into a second, off-screen view of the
// same profile (its sub-resources come from the profile's cache) at the
// area's text size, with no script of the page left to run. The copy is as
// wide as the page (a very wide page is drawn smaller, so a band never holds
// more than about 5 million pixels) and one band high plus a marker, without
// scroll bars; each band is scrolled to and grabbed once a frame shows the
// band's marker colour and two grabs 16 ms apart agree. Fixed and sticky
// elements are hidden after the first band, so they appear once. The HTML
// area itself is never resized or scrolled.
//
// The part on screen is grabbed from the HTML area's view the same way: a
// marker two CSS pixels square, one step of blue away from the colour under
// it, is put in the top left corner; a grab that shows it is current. The
// marker's pixels are mended from their neighbours and the picture is
// brought to the area's size in its own pixels.
//
// While a capture runs the page's dialogs are refused; a page that does not
// answer a script within 5 s, or a capture past 50 s, fails as not answering.
// The views are watched: if the HTML area's view goes away during a capture,
// the capture fails cleanly.

#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <optional>

#include "platform/PageCapture.h"

class QWebEnginePage;
class QWebEngineView;

namespace plume::platform {

class QtWebPage;

class QtPageCapture : public PageCapture {
 public:
  /// `view` is the HTML area's view; when Qt deletes it, captures fail.
  explicit QtPageCapture(QWebEngineView* view);
  ~QtPageCapture() override;
  QtPageCapture(const QtPageCapture&) = delete;
  QtPageCapture& operator=(const QtPageCapture&) = delete;

  Size ViewportSize() override;
  std::optional<PixelImage> GrabVisible() override;
  PageInfo OpenPage() override;
  std::optional<PixelImage> DrawBand(int top, int height, int& actualTop) override;
  void ClosePage() override;
  Failure LastFailure() const override { return failure_; }

  /// Milliseconds a page may take to load (the tool's load).
  static constexpr int kTimeoutMs = 20000;
  /// Milliseconds a script may take to answer, or a current frame to arrive.
  static constexpr int kAnswerMs = 5000;
  /// Milliseconds the copy's pictures and fonts may take to arrive before it is drawn anyway.
  static constexpr int kSettleMs = 10000;
  /// Milliseconds one whole-page capture may take.
  static constexpr int kCaptureMs = 50000;
  /// Widest band drawn, in device pixels, before a wide page is drawn smaller.
  static constexpr int kMaxDrawnWidth = 4096;
  /// Widest page captured, in CSS pixels.
  static constexpr int kMaxPageWidth = 32767;

 private:
  PageInfo Open();
  bool WriteCopy(const QString& html, const QUrl& base);
  std::optional<Size> MeasurePage();
  void ReleaseCopy();
  int TimeLeft() const;

  QPointer<QWebEngineView> view_;
  QPointer<QWebEngineView> copy_;
  QPointer<QtWebPage> refusing_;  ///< the HTML area's page, its dialogs refused while the copy is open
  QElapsedTimer clock_;
  int opened_ = 0;          ///< OpenPage calls not yet closed; only the first draws
  double cssToDrawn_ = 1;   ///< drawn pixels a CSS pixel
  double zoom_ = 1;         ///< the copy's zoom factor
  int copyWidth_ = 0;       ///< the copy's widget width
  int bandHeight_ = 0;      ///< the band height the copy is sized for
  int markerCss_ = 1;
  bool firstBandDrawn_ = false;
  bool fixedHidden_ = false;
  int bands_ = 0;
  Failure failure_ = Failure::Drawing;
};

}  // namespace plume::platform
