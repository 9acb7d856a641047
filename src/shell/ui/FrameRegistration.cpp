#include "shell/ui/FrameRegistration.h"

#include "shell/ui/CMainFrame.h"

#include <QTextEdit>
#include <QTimer>

#include "capture/ui/CMyDropTarget.h"
#include "chartview/CoordinateMapping.h"
#include "chartview/ui/CTesselView.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"
#include "shell/ui/MaterialCommandBinding.h"
#include "store/index/CapturedCheck.h"
#include "shell/HtmlAreaRegistration.h"
#include "platform/web/QtWebView.h"
#include "shell/ui/CHView.h"

namespace plume::shell {

namespace {

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using platform::StringId;

capture::ui::QtDownloader::Options DownloadOptions(QWidget* parent, platform::QtWebView* web) {
  capture::ui::QtDownloader::Options options;
  options.parent = parent;
  if (web != nullptr) {
    // Downloads go with the HTML area's login: its cookies, user agent and page as referrer.
    options.session.cookies = [web] { return web->Cookies(); };
    options.session.userAgent = [web] { return web->UserAgent(); };
    options.session.referrer = [web] { return web->PageUrl(); };
  }
  return options;
}

}  // namespace

FrameRegistration::FrameRegistration(const RegistrationParts& parts)
    : QObject(parts.view),
      parts_(parts),
      store_(*parts.materials),
      encoder_(*parts.settings),
      downloads_(DownloadOptions(parts.view, parts.web)),
      clipboard_(*parts.settings) {
  if (parts.htmlArea != nullptr) {
    QPointer<QWidget> area = parts.htmlWidget;
    html_ = std::make_unique<HtmlAreaRegistration>(*parts.htmlArea, [area] {
      return area.isNull() || (area->isVisible() && area->width() > 0 && area->height() > 0);
    });
  } else {
    html_ = std::make_unique<capture::NoHtmlArea>();
  }
  if (parts.engine != nullptr) {
    page_ = std::make_unique<platform::QtPageCapture>(parts.engine);
    capture_ = std::make_unique<capture::HtmlCapture>(*page_, encoder_, *parts.settings);
  } else {
    capture_ = std::make_unique<capture::NoPageCapture>();
  }
  flows_ = std::make_unique<capture::RegistrationFlows>(capture::RegistrationPorts{
      *this, store_, *parts.settings, *html_, *this, *capture_, pdf_, parts.pictures->loader, downloads_, clipboard_,
      {}, parts.captured, parts.jobs});

  dropTimer_ = new QTimer(this);
  connect(dropTimer_, &QTimer::timeout, this, [this] { flows_->DropTimerTick(); });

  chartview::CTesselView* view = parts.view;
  // Every node added without a title (new node, paste) takes the HTML area's.
  view->SetWebPageTitle([this] { return html_->PageTitle(); });
  for (int command : {capture::RegistrationFlows::kCmdWholePage, capture::RegistrationFlows::kCmdVisiblePdf,
                      capture::RegistrationFlows::kCmdWholeImage, capture::RegistrationFlows::kCmdVisibleImage,
                      capture::RegistrationFlows::kCmdClipboardImage}) {
    view->AddViewCommand(command, [this, view, command] {
      // Where the menu was opened, on the page at the zoom of now: a long capture keeps its place.
      const platform::Point at = chartview::ScreenToPage(view->Controller().MenuPoint(), view->View().Zoom());
      flows_->RunCommand(command, {at.x, at.y});
    });
  }
  new capture::ui::CMyDropTarget(view->viewport(), *flows_, [view](QPoint client) {
    const QPoint scroll = view->ScrollPosition();
    const platform::Point at =
        chartview::ClientToPage({client.x(), client.y()}, {scroll.x(), scroll.y()}, view->View().Zoom());
    return capture::InsertionPoint{at.x, at.y};
  });
}

FrameRegistration::~FrameRegistration() {
  // A dropped PDF still waiting for its text leaves the store with the window.
  flows_->CancelDrop();
  delete captureDialog_;
}

void FrameRegistration::CancelRunning() {
  captureCancelled_ = true;
  flows_->CancelCapture();
  downloads_.Cancel();
}

bool FrameRegistration::CaptureProgress(int done, int total) {
  constexpr qint64 kQuietMs = 1000;  // a capture shorter than this shows no dialog
  if (!captureClock_.isValid()) captureClock_.start();
  if (captureDialog_.isNull() && !captureCancelled_ && captureClock_.elapsed() >= kQuietMs) {
    auto* dialog = new QProgressDialog(parts_.view->window());
    dialog->setWindowTitle(QString::fromUtf8(platform::kAppTitle));
    dialog->setCancelButtonText(QStringLiteral("キャンセル"));
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(0);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    connect(dialog, &QProgressDialog::canceled, this, [this] { captureCancelled_ = true; });
    captureDialog_ = dialog;
    dialog->show();
  }
  if (!captureDialog_.isNull()) {
    const std::string_view text = platform::StringText(StringId::CaptureInProgress);
    captureDialog_->setLabelText(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).arg(done).arg(total));
    captureDialog_->setMaximum(std::max(total, 1));
    captureDialog_->setValue(std::clamp(done, 0, std::max(total, 1)));
  }
  return !captureCancelled_;
}

void FrameRegistration::CaptureEnded() {
  delete captureDialog_;
  captureClock_.invalidate();
  captureCancelled_ = false;
}

bool FrameRegistration::EnsureSaved() { return parts_.document->EnsureSaved(); }

std::filesystem::path FrameRegistration::DocumentPath() { return parts_.document->Path(); }

document::ChartDocument& FrameRegistration::Chart() { return *parts_.chart; }

void FrameRegistration::NodeAdded() {
  parts_.chart->Changes().RequestRepaint(true);
  parts_.chart->CommitEdit(document::EditStep::NewNode);
}

void FrameRegistration::StartDropTimer(std::chrono::milliseconds period) {
  dropTimer_->start(static_cast<int>(period.count()));
}

void FrameRegistration::StopDropTimer() { dropTimer_->stop(); }

std::string FrameRegistration::WholeText() {
  if (parts_.textArea == nullptr) return {};
  return platform::Utf8ToCp932(parts_.textArea->toPlainText().toStdString());
}

}  // namespace plume::shell
