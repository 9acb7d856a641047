#include "platform/web/QtPageCapture.h"

#include <QEventLoop>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "platform/qt/QtPixelCodec.h"

namespace plume::platform {
namespace {

// Runs the event loop for `ms` milliseconds.
void Pause(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

const QString kMeasure = QStringLiteral(
    "(function(){var b=document.body,d=document.documentElement;if(!b)return null;"
    "return [Math.max(b.scrollWidth,d?d.scrollWidth:0),Math.max(b.scrollHeight,d?d.scrollHeight:0)];})()");

// Hides fixed and sticky elements (but the band marker) so later bands do not repeat them.
const QString kHideFixed = QStringLiteral(
    "(function(){var n=0,all=document.querySelectorAll('*');for(var i=0;i<all.length;i++){"
    "var p=getComputedStyle(all[i]).position;if((p==='fixed'||p==='sticky')&&all[i].id!=='__plume_band'){"
    "all[i].style.setProperty('visibility','hidden','important');n++;}}return n;})()");

}  // namespace

QtPageCapture::QtPageCapture(QWebEngineView* view) : view_(view) {}

QtPageCapture::~QtPageCapture() { ClosePage(); }

Size QtPageCapture::ViewportSize() {
  if (!view_) return {};
  return {view_->width(), view_->height()};
}

std::optional<PixelImage> QtPageCapture::GrabVisible() {
  if (!view_) return std::nullopt;
  PixelImage pixels = ToPixelImage(view_->grab().toImage());
  if (pixels.Empty()) return std::nullopt;
  return pixels;
}

std::optional<QVariant> QtPageCapture::RunScript(const QString& script) {
  if (!offscreen_) return std::nullopt;
  QEventLoop loop;
  std::optional<QVariant> result;
  QTimer::singleShot(kTimeoutMs, &loop, &QEventLoop::quit);
  offscreen_->page()->runJavaScript(script, [&loop, &result](const QVariant& v) {
    result = v;
    loop.quit();
  });
  if (!result) loop.exec();
  return result;
}

std::optional<Size> QtPageCapture::MeasurePage() {
  const auto answer = RunScript(kMeasure);
  if (!answer) return std::nullopt;
  const QVariantList list = answer->toList();
  if (list.size() != 2) return Size{};
  return Size{list[0].toInt(), list[1].toInt()};
}

PageCapture::PageInfo QtPageCapture::OpenPage() {
  ClosePage();
  if (!view_ || !view_->page()) return {OpenStatus::NoRenderer, {}};
  const QUrl url = view_->url();
  if (url.isEmpty()) return {OpenStatus::NoDocument, {}};

  offscreen_ = std::make_unique<QWebEngineView>();
  auto* page = new QWebEnginePage(view_->page()->profile(), offscreen_.get());
  offscreen_->setPage(page);
  page->settings()->setAttribute(QWebEngineSettings::ShowScrollBars, false);
  page->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
  offscreen_->setAttribute(Qt::WA_DontShowOnScreen);
  // Measured at the HTML area's size, so the page is as long as the user sees it.
  const int width = std::max(1, view_->width());
  const int height = std::max(1, view_->height());
  offscreen_->resize(width, height);
  offscreen_->show();

  QEventLoop loop;
  bool loaded = false;
  QObject::connect(page, &QWebEnginePage::loadFinished, &loop, [&loop, &loaded](bool ok) {
    loaded = ok;
    loop.quit();
  });
  QTimer::singleShot(kTimeoutMs, &loop, &QEventLoop::quit);
  page->load(url);
  loop.exec();
  if (!loaded) {
    ClosePage();
    return {OpenStatus::NoDocument, {}};
  }

  auto size = MeasurePage();
  if (!size) {
    ClosePage();
    return {OpenStatus::NoDocument, {}};
  }
  if (size->cx <= 0 || size->cy <= 0) return {OpenStatus::NoBody, {}};
  if (size->cx > width) {
    // As wide as the page: nothing is cut at the right, no band scrolls sideways.
    offscreen_->resize(size->cx, height);
    Pause(50);
    size = MeasurePage();
    if (!size || size->cx <= 0 || size->cy <= 0) {
      ClosePage();
      return {OpenStatus::NoDocument, {}};
    }
  }
  firstBandDrawn_ = false;
  return {OpenStatus::Ok, *size};
}

// Scrolls to `top` and puts the band's marker colour into the row below the
// band: any frame that shows the marker was made after the scroll. A one-row
// pad at the end of the page lets the last band reach the page's last row.
QString ScrollAndMark(int top, QRgb marker) {
  return QStringLiteral(
             "(function(){window.scrollTo(0,%1);var m=document.getElementById('__plume_band');"
             "if(!m){m=document.createElement('div');m.id='__plume_band';document.documentElement.appendChild(m);"
             "var p=document.createElement('div');p.style.cssText='display:block;height:1px;margin:0;padding:0';"
             "document.documentElement.appendChild(p);}"
             "m.style.cssText='position:fixed;left:0;bottom:0;width:8px;height:1px;z-index:2147483647;"
             "visibility:visible;background:rgb(%2,%3,%4)';return window.scrollY;})()")
      .arg(top)
      .arg(qRed(marker))
      .arg(qGreen(marker))
      .arg(qBlue(marker));
}

QImage QtPageCapture::StableGrab(int rows, QRgb marker) {
  // Frames arrive late after a scroll or a resize: wait for one that shows
  // the marker, then for a second one 16 ms later that agrees with it.
  QImage previous;
  for (int i = 0; i < kTimeoutMs / 16; ++i) {
    QImage current = offscreen_->grab().toImage();
    const bool marked = current.height() > rows && current.width() > 2 &&
                        (current.pixel(2, rows) & 0xFFFFFF) == (marker & 0xFFFFFF);
    if (marked && current == previous) return current.copy(0, 0, current.width(), rows);
    previous = marked ? std::move(current) : QImage();
    Pause(16);
  }
  return {};
}

std::optional<PixelImage> QtPageCapture::DrawBand(int top, int height, int& actualTop) {
  if (!offscreen_ || height <= 0) return std::nullopt;
  // One row more than the band for the marker.
  if (offscreen_->height() != height + 1) offscreen_->resize(offscreen_->width(), height + 1);
  if (firstBandDrawn_ && !RunScript(kHideFixed)) return std::nullopt;
  ++bands_;
  const QRgb marker = qRgb(1 + bands_ % 2, 251 - bands_ % 200, 3 + bands_ % 250);
  const auto scrolled = RunScript(ScrollAndMark(top, marker));
  if (!scrolled) return std::nullopt;
  actualTop = static_cast<int>(scrolled->toDouble() + 0.5);
  PixelImage band = ToPixelImage(StableGrab(height, marker));
  if (band.Empty()) return std::nullopt;
  firstBandDrawn_ = true;
  return band;
}

void QtPageCapture::ClosePage() {
  offscreen_.reset();
  firstBandDrawn_ = false;
}

}  // namespace plume::platform
