#include "platform/web/QtPageCapture.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/qt/QtPixelCodec.h"
#include "platform/web/QtWebPage.h"
#include "platform/web/ShownDocumentScript.h"

namespace plume::platform {
namespace {

// Runs the event loop for `ms` milliseconds.
void Pause(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// Runs `script` in the application's script world of `page`: its answer, or
// nullopt when none came within `ms` or the page went away meanwhile. A late
// answer lands in shared state, never on a stack that is gone.
std::optional<QVariant> RunScript(QWebEnginePage* page, const QString& script, int ms) {
  if (page == nullptr || ms <= 0) return std::nullopt;
  struct Answer {
    std::optional<QVariant> value;
    QPointer<QEventLoop> loop;
  };
  auto answer = std::make_shared<Answer>();
  const QPointer<QWebEnginePage> alive(page);
  QEventLoop loop;
  answer->loop = &loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [answer](const QVariant& value) {
    answer->value = value;
    if (answer->loop) answer->loop->quit();
  });
  if (!answer->value) loop.exec();
  if (!alive) return std::nullopt;
  return answer->value;
}

// Grabs `view` until a frame shows `marker` in its first pixel of the top
// row (`top`) or of the bottom row, and a second grab 16 ms later agrees:
// frames arrive some time after a change, and only a marked one is current.
QImage StableGrab(const QPointer<QWebEngineView>& view, QRgb marker, bool top, int ms) {
  QElapsedTimer clock;
  clock.start();
  QImage previous;
  while (view && clock.elapsed() < ms) {
    QImage current = view->grab().toImage();
    const bool marked = current.width() > 0 && current.height() > 0 &&
                        (current.pixel(0, top ? 0 : current.height() - 1) & 0xFFFFFF) == (marker & 0xFFFFFF);
    if (marked && current == previous) return current;
    previous = marked ? std::move(current) : QImage();
    Pause(16);
  }
  return {};
}

QtWebPage* AreaPage(QWebEngineView* view) { return view ? qobject_cast<QtWebPage*>(view->page()) : nullptr; }

/// Holds the HTML area's dialogs refused for its lifetime.
class DialogRefusal {
 public:
  explicit DialogRefusal(QWebEngineView* view) : page_(AreaPage(view)) {
    if (page_) page_->HoldDialogRefusal();
  }
  ~DialogRefusal() {
    if (page_) page_->ReleaseDialogRefusal();
  }
  DialogRefusal(const DialogRefusal&) = delete;
  DialogRefusal& operator=(const DialogRefusal&) = delete;

 private:
  QPointer<QtWebPage> page_;
};

const QString kMeasure = QStringLiteral(
    "(function(){var b=document.body,d=document.documentElement;if(!b)return null;"
    "return [Math.max(b.scrollWidth,d?d.scrollWidth:0),Math.max(b.scrollHeight,d?d.scrollHeight:0)];})()");

const QString kReady =
    QStringLiteral("document.readyState==='complete'&&(!document.fonts||document.fonts.status==='loaded')");

// Hides fixed and sticky elements (but the band marker) so later bands do not repeat them.
const QString kHideFixed = QStringLiteral(
    "(function(){var n=0,all=document.querySelectorAll('*');for(var i=0;i<all.length;i++){"
    "var p=getComputedStyle(all[i]).position;if((p==='fixed'||p==='sticky')&&all[i].id!=='__plume_band'){"
    "all[i].style.setProperty('visibility','hidden','important');n++;}}return n;})()");

QString Rgb(QRgb c) { return QStringLiteral("rgb(%1,%2,%3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c)); }

// Scrolls to CSS row `top` and puts the band's marker colour into the rows
// below the band: any frame that shows the marker was made after the scroll.
// A pad at the end of the page, as tall as the viewport rows under the band,
// lets the last band reach the page's last row.
QString ScrollAndMark(int top, QRgb marker, int markerCss, int padCss) {
  return QStringLiteral(
             "(function(){var m=document.getElementById('__plume_band'),p=document.getElementById('__plume_pad');"
             "if(!m){m=document.createElement('div');m.id='__plume_band';document.documentElement.appendChild(m);"
             "p=document.createElement('div');p.id='__plume_pad';document.documentElement.appendChild(p);}"
             "if(p.style.height!=='%4px')p.style.cssText='display:block;height:%4px;margin:0;padding:0;border:0';"
             "m.style.cssText='position:fixed;left:0;bottom:0;width:%3px;height:%2px;z-index:2147483647;"
             "visibility:visible;background:%5';window.scrollTo(0,%1);return window.scrollY;})()")
      .arg(top)
      .arg(markerCss)
      .arg(markerCss * 4)
      .arg(padCss)
      .arg(Rgb(marker));
}

// A marker two CSS pixels square in the top left corner of the viewport,
// gone by itself after three seconds should nobody remove it.
QString PutCornerMark(QRgb marker) {
  return QStringLiteral(
             "(function(){var m=document.getElementById('__plume_mark');if(!m){m=document.createElement('div');"
             "m.id='__plume_mark';document.documentElement.appendChild(m);"
             "setTimeout(function(){if(m.parentNode)m.parentNode.removeChild(m);},3000);}"
             "m.style.cssText='position:fixed;left:0;top:0;width:2px;height:2px;margin:0;padding:0;border:0;"
             "display:block;z-index:2147483647;pointer-events:none;visibility:visible;background:%1';"
             "return true;})()")
      .arg(Rgb(marker));
}

const QString kRemoveCornerMark = QStringLiteral(
    "(function(){var m=document.getElementById('__plume_mark');if(m&&m.parentNode)m.parentNode.removeChild(m);})()");

}  // namespace

QtPageCapture::QtPageCapture(QWebEngineView* view) : view_(view) {}

QtPageCapture::~QtPageCapture() { ReleaseCopy(); }

Size QtPageCapture::ViewportSize() {
  if (!view_) return {};
  return {view_->width(), view_->height()};
}

int QtPageCapture::TimeLeft() const { return static_cast<int>(kCaptureMs - clock_.elapsed()); }

std::optional<PixelImage> QtPageCapture::GrabVisible() {
  failure_ = Failure::Drawing;
  // A hidden area shows nothing to grab.
  if (!view_ || !view_->page() || !view_->isVisible()) return std::nullopt;
  const DialogRefusal refusal(view_);
  const QSize size = view_->size();
  const double zoom = view_->zoomFactor();
  // One step of blue away from what the corner shows now: nobody sees it.
  const QImage before = view_->grab().toImage();
  const QRgb under = before.isNull() ? qRgb(255, 255, 255) : before.pixel(0, 0);
  const QRgb marker = under ^ 0x000001u;
  const auto put = RunScript(view_->page(), PutCornerMark(marker), kAnswerMs);
  if (!view_) return std::nullopt;
  if (!put) {
    failure_ = Failure::NoAnswer;
    return std::nullopt;
  }
  QImage frame = StableGrab(view_, marker, true, kAnswerMs);
  if (!view_) return std::nullopt;
  view_->page()->runJavaScript(kRemoveCornerMark, QWebEngineScript::ApplicationWorld);
  if (frame.isNull()) {
    failure_ = Failure::NoAnswer;
    return std::nullopt;
  }
  frame = frame.convertToFormat(QImage::Format_ARGB32);
  // The marker's pixels take the colour of the column right of it.
  const int mark = static_cast<int>(std::ceil(2 * zoom * frame.devicePixelRatio())) + 1;
  if (mark < frame.width()) {
    for (int y = 0; y < std::min(mark, frame.height()); ++y) {
      const QRgb right = frame.pixel(mark, y);
      for (int x = 0; x < mark; ++x) frame.setPixel(x, y, right);
    }
  }
  // The area's own pixels, whatever the screen's scale.
  if (frame.size() != size) {
    frame = frame.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  PixelImage pixels = ToPixelImage(frame);
  if (pixels.Empty()) return std::nullopt;
  return pixels;
}

PageCapture::PageInfo QtPageCapture::OpenPage() {
  // A capture that starts while another draws is refused: the first one owns the copy.
  if (opened_++ > 0) return {OpenStatus::NoRenderer, {}, {}};
  return Open();
}

PageCapture::PageInfo QtPageCapture::Open() {
  failure_ = Failure::Drawing;
  if (!view_ || !view_->page()) return {OpenStatus::NoRenderer, {}, {}};
  const QUrl url = view_->url();
  if (url.isEmpty()) return {OpenStatus::NoDocument, {}, {}};
  clock_.start();
  // The page's dialogs wait for no one until the capture ends.
  refusing_ = AreaPage(view_);
  if (refusing_) refusing_->HoldDialogRefusal();

  // The document on show, as it is now.
  const auto shown = RunScript(view_->page(), QString::fromUtf8(kShownDocumentScript), kAnswerMs);
  if (!view_) return {OpenStatus::NoRenderer, {}, {}};
  if (!shown) return {OpenStatus::NoAnswer, {}, {}};
  const QString html = shown->toString();
  if (html.isEmpty()) return {OpenStatus::NoBody, {}, {}};

  const double zoom = view_->zoomFactor();
  const int width = std::max(1, view_->width());
  const int height = std::max(1, view_->height());
  // A window of its own, but a child of the HTML area's view: it goes when
  // that view goes, before the profile they share.
  auto* copy = new QWebEngineView(view_);
  copy->setWindowFlag(Qt::Window);
  copy->setAttribute(Qt::WA_DontShowOnScreen);
  auto* page = new QWebEnginePage(view_->page()->profile(), copy);
  copy->setPage(page);
  page->settings()->setAttribute(QWebEngineSettings::ShowScrollBars, false);
  page->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
  // Measured at the HTML area's size and text size, so the page is as long as the user sees it.
  copy->resize(width, height);
  copy->show();
  copy_ = copy;
  zoom_ = zoom;
  copyWidth_ = width;

  if (!WriteCopy(html, url)) {
    const bool gone = !view_ || !copy_;
    ReleaseCopy();
    return {gone ? OpenStatus::NoRenderer : OpenStatus::NoAnswer, {}, {}};
  }
  auto size = MeasurePage();
  if (!size) return {copy_ ? OpenStatus::NoAnswer : OpenStatus::NoRenderer, {}, {}};
  if (size->cx <= 0 || size->cy <= 0) return {OpenStatus::NoBody, {}, {}};
  if (size->cx > kMaxPageWidth) return {OpenStatus::TooWide, *size, {}};

  // As wide as the page: nothing is cut at the right, no band scrolls
  // sideways. A page wider than kMaxDrawnWidth device pixels is drawn smaller.
  const double ratio = copy_->devicePixelRatioF();
  const double cssWidth = std::max<double>(size->cx, width / zoom);
  if (cssWidth * zoom * ratio > kMaxDrawnWidth) zoom_ = std::max(0.25, kMaxDrawnWidth / (cssWidth * ratio));
  copyWidth_ = std::max(1, static_cast<int>(std::ceil(cssWidth * zoom_ - 0.01)));
  if (copyWidth_ != width || zoom_ != zoom) {
    // The viewport keeps the area's height in CSS pixels: a short page is as long as the area.
    copy_->page()->setZoomFactor(zoom_);
    copy_->resize(copyWidth_, std::max(1, static_cast<int>(std::lround(height * zoom_ / zoom))));
    Pause(50);
    size = MeasurePage();
    if (!size) return {copy_ ? OpenStatus::NoAnswer : OpenStatus::NoRenderer, {}, {}};
    if (size->cx <= 0 || size->cy <= 0) return {OpenStatus::NoBody, {}, {}};
    if (size->cx > kMaxPageWidth) return {OpenStatus::TooWide, *size, {}};
  }
  cssToDrawn_ = zoom_ * ratio;
  markerCss_ = std::max(1, static_cast<int>(std::ceil(2 / cssToDrawn_)));
  const int drawnWidth = std::min(static_cast<int>(size->cx * cssToDrawn_),
                                  static_cast<int>(std::lround(copyWidth_ * ratio)));
  const Size drawn{std::max(1, drawnWidth), std::max(1, static_cast<int>(size->cy * cssToDrawn_))};
  firstBandDrawn_ = false;
  fixedHidden_ = false;
  bandHeight_ = 0;
  return {OpenStatus::Ok, *size, drawn};
}

bool QtPageCapture::WriteCopy(const QString& html, const QUrl& base) {
  // An empty document at the page's own address (its origin, so the page's
  // fonts and pictures come as they came), then the copy written into it.
  QWebEnginePage* page = copy_->page();
  page->setZoomFactor(zoom_);
  {
    QEventLoop loop;
    bool loaded = false;
    QObject::connect(page, &QWebEnginePage::loadFinished, &loop, [&loop, &loaded](bool ok) {
      loaded = ok;
      loop.quit();
    });
    QTimer::singleShot(std::min(kAnswerMs, TimeLeft()), &loop, &QEventLoop::quit);
    page->setHtml(QStringLiteral("<!DOCTYPE html><html><head></head><body></body></html>"), base);
    loop.exec();
    if (!copy_ || !loaded) return false;
  }
  const QByteArray json = QJsonDocument(QJsonArray{html}).toJson(QJsonDocument::Compact);
  const QString write =
      QStringLiteral("(function(h){document.open();document.write(h);document.close();return true;})(") +
      QString::fromUtf8(json.mid(1, json.size() - 2)) + QStringLiteral(")");
  if (!RunScript(copy_ ? copy_->page() : nullptr, write, kAnswerMs)) return false;
  if (!copy_) return false;
  copy_->page()->setZoomFactor(zoom_);
  // Pictures and fonts from the cache; a copy still waiting after kSettleMs is drawn as it is.
  QElapsedTimer settle;
  settle.start();
  while (copy_ && settle.elapsed() < kSettleMs) {
    const auto ready = RunScript(copy_->page(), kReady, kAnswerMs);
    if (!ready) return false;
    if (ready->toBool()) break;
    Pause(20);
  }
  return copy_ != nullptr;
}

std::optional<Size> QtPageCapture::MeasurePage() {
  if (!copy_) return std::nullopt;
  const auto answer = RunScript(copy_->page(), kMeasure, kAnswerMs);
  if (!answer) return std::nullopt;
  const QVariantList list = answer->toList();
  if (list.size() != 2) return Size{};
  return Size{list[0].toInt(), list[1].toInt()};
}

std::optional<PixelImage> QtPageCapture::DrawBand(int top, int height, int& actualTop) {
  failure_ = Failure::Drawing;
  if (!copy_ || height <= 0) return std::nullopt;
  if (TimeLeft() <= 0) {
    failure_ = Failure::NoAnswer;
    return std::nullopt;
  }
  const auto fail = [this] {
    if (copy_ && view_) failure_ = Failure::NoAnswer;
    return std::nullopt;
  };
  const double ratio = copy_->devicePixelRatioF();
  if (bandHeight_ != height) {
    // The band, the marker under it and a spare row, in the copy's own pixels.
    const double markerRows = std::ceil(markerCss_ * cssToDrawn_);
    copy_->resize(copyWidth_, static_cast<int>(std::ceil((height + markerRows + 2) / ratio)));
    bandHeight_ = height;
  }
  if (firstBandDrawn_ && !fixedHidden_) {
    if (!RunScript(copy_->page(), kHideFixed, std::min(kAnswerMs, TimeLeft()))) return fail();
    fixedHidden_ = true;
  }
  if (!copy_) return std::nullopt;
  ++bands_;
  const QRgb marker = qRgb(1 + bands_ % 2, 251 - bands_ % 200, 3 + bands_ % 250);
  const double viewportCss = copy_->height() / zoom_;
  const int padCss = static_cast<int>(std::ceil(viewportCss - height / cssToDrawn_)) + 1;
  const int topCss = static_cast<int>(std::floor(top / cssToDrawn_));
  const auto scrolled = RunScript(copy_->page(), ScrollAndMark(topCss, marker, markerCss_, padCss),
                                  std::min(kAnswerMs, TimeLeft()));
  if (!scrolled || !copy_) return fail();
  actualTop = std::min(top, static_cast<int>(std::lround(scrolled->toDouble() * cssToDrawn_)));
  const QImage frame = StableGrab(copy_, marker, false, std::min(kAnswerMs, TimeLeft()));
  if (frame.isNull()) return fail();
  if (frame.height() < height) return std::nullopt;
  PixelImage band = ToPixelImage(frame.copy(0, 0, frame.width(), height));
  if (band.Empty()) return std::nullopt;
  firstBandDrawn_ = true;
  return band;
}

void QtPageCapture::ClosePage() {
  if (opened_ == 0) return;
  if (--opened_ == 0) ReleaseCopy();
}

void QtPageCapture::ReleaseCopy() {
  if (refusing_) refusing_->ReleaseDialogRefusal();
  refusing_ = nullptr;
  delete copy_.data();
  copy_ = nullptr;
  firstBandDrawn_ = false;
  fixedHidden_ = false;
  bandHeight_ = 0;
}

}  // namespace plume::platform
