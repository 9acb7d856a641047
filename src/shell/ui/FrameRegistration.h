#pragma once
// The registration flows in the main window: the five "add a node here"
// commands of the chart view's menu, the chart view's drop target and the
// drop timer, over the window's document, text area, HTML area and capture.

#include <QObject>
#include <QPointer>
#include <memory>

#include "capture/HtmlAreaPort.h"
#include "capture/HtmlCapture.h"
#include "capture/NodePictureLoader.h"
#include "capture/PageCapturePort.h"
#include "capture/ProgramPdfSteps.h"
#include "capture/RegistrationFlows.h"
#include "capture/RegistrationHost.h"
#include "capture/TextAreaPort.h"
#include "capture/ui/QtBitmapEncoder.h"
#include "capture/ui/QtClipboardImage.h"
#include "capture/ui/QtDownloader.h"
#include "platform/qt/QtPixelCodec.h"
#include "platform/web/QtPageCapture.h"
#include "shell/DocumentActions.h"
#include "shell/HtmlAreaController.h"
#include "store/MaterialStore.h"

class QTextEdit;
class QTimer;
class QWebEngineView;

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
};

class FrameRegistration : public QObject, private capture::RegistrationHost, private capture::TextAreaPort {
  Q_OBJECT

 public:
  /// Binds the five commands to the view and installs its drop target.
  explicit FrameRegistration(const RegistrationParts& parts);
  ~FrameRegistration() override;

  capture::RegistrationFlows& Flows() { return *flows_; }

 private:
  // RegistrationHost
  bool EnsureSaved() override;
  std::filesystem::path DocumentPath() override;
  document::ChartDocument& Chart() override;
  void NodeAdded() override;
  void StartDropTimer(std::chrono::milliseconds period) override;
  void StopDropTimer() override;
  // TextAreaPort
  std::string WholeText() override;

  RegistrationParts parts_;
  store::MaterialStore& store_;
  std::unique_ptr<capture::HtmlAreaPort> html_;
  platform::QtPixelCodec pixelCodec_;
  capture::ui::QtBitmapEncoder encoder_;
  std::unique_ptr<platform::QtPageCapture> page_;
  std::unique_ptr<capture::PageCapturePort> capture_;
  capture::ProgramPdfSteps pdf_;
  capture::NodePictureLoader pictures_;
  capture::ui::QtDownloader downloads_;
  capture::ui::QtClipboardImage clipboard_;
  std::unique_ptr<capture::RegistrationFlows> flows_;
  QTimer* dropTimer_ = nullptr;
};

}  // namespace plume::shell
