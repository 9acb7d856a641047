#pragma once
// The registration flows in the main window: the five "add a node here"
// commands of the chart view's menu, the chart view's drop target and the
// drop timer, over the window's document, text area, HTML area and capture.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <memory>

#include "capture/HtmlAreaPort.h"
#include "capture/HtmlCapture.h"
#include "convert/PictureServices.h"
#include "capture/PageCapturePort.h"
#include "capture/ProgramPdfSteps.h"
#include "capture/RegistrationFlows.h"
#include "capture/RegistrationHost.h"
#include "capture/TextAreaPort.h"
#include "convert/ui/QtBitmapEncoder.h"
#include "capture/ui/QtClipboardImage.h"
#include "capture/ui/QtDownloader.h"
#include "platform/web/QtPageCapture.h"
#include "shell/DocumentActions.h"
#include "shell/HtmlAreaController.h"
#include "store/MaterialStore.h"

class QTextEdit;
class QTimer;
class QWebEngineView;
class QWidget;

namespace plume::platform {
class QtWebView;
}

namespace plume::chartview {
class CTesselView;
}

namespace plume::store::index {
class CapturedCheck;
}

namespace plume::shell {

/// What the window hands over; everything outlives the registration.
struct RegistrationParts {
  chartview::CTesselView* view = nullptr;
  document::ChartDocument* chart = nullptr;
  DocumentActions* document = nullptr;
  platform::SettingsStore* settings = nullptr;
  QTextEdit* textArea = nullptr;
  HtmlAreaController* htmlArea = nullptr;  ///< null: no page is ever on show
  QWebEngineView* engine = nullptr;         ///< the HTML area's engine; null: captures fail with 30003
  store::MaterialStore* materials = nullptr;  ///< the application's one store; required
  store::index::CapturedCheck* captured = nullptr;  ///< the "already captured" question; null: none
  document::JobGate* jobs = nullptr;          ///< the one job gate; null: the flows keep their own
  QWidget* htmlWidget = nullptr;              ///< the HTML area; null: never hidden
  platform::QtWebView* web = nullptr;         ///< the browser's session for downloads; null: none
  convert::PictureServices* pictures = nullptr;  ///< the application's node picture loader; required
};

class FrameRegistration : public QObject, private capture::RegistrationHost, private capture::TextAreaPort {
  Q_OBJECT

 public:
  /// Binds the five commands to the view and installs its drop target.
  explicit FrameRegistration(const RegistrationParts& parts);
  ~FrameRegistration() override;

  capture::RegistrationFlows& Flows() { return *flows_; }
  /// Stops a running capture at its next band and a running download (closing the window).
  void CancelRunning();

 private:
  // RegistrationHost
  bool EnsureSaved() override;
  std::filesystem::path DocumentPath() override;
  document::ChartDocument& Chart() override;
  void NodeAdded() override;
  void StartDropTimer(std::chrono::milliseconds period) override;
  void StopDropTimer() override;
  bool CaptureProgress(int done, int total) override;
  void CaptureEnded() override;
  // TextAreaPort
  std::string WholeText() override;

  RegistrationParts parts_;
  store::MaterialStore& store_;
  std::unique_ptr<capture::HtmlAreaPort> html_;
  convert::ui::QtBitmapEncoder encoder_;
  std::unique_ptr<platform::QtPageCapture> page_;
  std::unique_ptr<capture::PageCapturePort> capture_;
  capture::ProgramPdfSteps pdf_;
  capture::ui::QtDownloader downloads_;
  capture::ui::QtClipboardImage clipboard_;
  std::unique_ptr<capture::RegistrationFlows> flows_;
  QTimer* dropTimer_ = nullptr;
  QElapsedTimer captureClock_;                ///< since the first band of the running capture
  QPointer<QProgressDialog> captureDialog_;  ///< shown once a capture takes longer than a second
  bool captureCancelled_ = false;
};

}  // namespace plume::shell
