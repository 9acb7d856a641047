#include "shell/ui/CTesselApp.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QApplication>
#include <QPrinterInfo>
#include <QTimer>

#include "convert/ui/QtPictureServices.h"
#include "platform/SettingsTable.h"
#include "platform/cab/GcabCabinet.h"
#include "platform/qt/QtPaperSize.h"
#include "platform/qt/QtScratchSurface.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CMyRibbonBar.h"
#include "shell/ui/ChartDocumentActions.h"
#include "shell/ui/InstanceChannel.h"
#include "shell/ui/InstanceLock.h"
#include "shell/ui/RecoveryService.h"
#include "store/MaterialStore.h"
#include "platform/qt/QtFolderOpener.h"
#include "store/index/IndexService.h"
#include "store/index/text/MaterialTextReader.h"

namespace plume::shell {

CTesselApp::CTesselApp(AppOptions options)
    : options_(std::move(options)),
      pictures_(std::make_unique<convert::ui::QtPictureServices>(*options_.store)),
      cabinet_(std::make_unique<platform::GcabCabinet>()),
      scratch_(std::make_unique<platform::QtScratchSurface>()),
      folders_(std::make_unique<platform::QtFolderOpener>()),
      // The settings sheet opener is handed in here once the settings sheet exists.
      materials_(std::make_unique<store::MaterialStore>(*options_.store, nullptr, folders_.get())) {
  recent_ = std::make_unique<RecentFileList>(*options_.store);
  if (options_.materialIndex) {
    textReader_ = std::make_unique<store::index::MaterialTextReader>();
    index_ = std::make_unique<store::index::IndexService>(*materials_, *options_.store, textReader_.get());
  }
}

CTesselApp::~CTesselApp() {
  // The program ends with the user's answer given: the recovery copy goes.
  recovery_.reset();
  channel_.reset();
  // The frame's view goes first: it removes its hooks from the chart.
  if (chartActions_) chartActions_->AttachFrame(nullptr);
  frame_.reset();
  index_.reset();
}

convert::PictureServices& CTesselApp::Pictures() const { return pictures_->Services(); }

bool CTesselApp::Start(const std::optional<std::filesystem::path>& document) {
  state_ = RunStartup(*this, *options_.store, document);
  if (frame_ && state_.ok) frame_->DocumentReplaced();
  if (state_.ok && lock_) {
    channel_ = std::make_unique<InstanceChannel>(lock_->SocketPath());
    channel_->Listen([this](const shell::HandOver& request) { TakeHandOver(request); });
  }
  // Others' changes to the store since the last run are caught up in the background.
  if (index_ && state_.ok) index_->CatchUp();
  if (state_.ok) StartRecovery();
  return state_.ok;
}

void CTesselApp::StartRecovery() {
  if (options_.recoveryFolder.empty() || !chartActions_) return;
  recovery_ = RecoveryService::Start(
      options_.recoveryFolder, {&chartActions_->Doc(), cabinet_.get(), &pictures_->Services().pictures, options_.store,
                                &jobs_, scratch_.get(), frame_.get(), [this] { frame_->DocumentReplaced(); }});
  if (recovery_) recovery_->OfferCopies();
}

bool CTesselApp::HandOver(const std::optional<std::filesystem::path>& document) {
  shell::HandOver request;
  std::error_code error;
  if (document) request.document = std::filesystem::absolute(*document, error);
  if (error) return false;
  return InstanceChannel::Send(lock_->SocketPath(), request);
}

void CTesselApp::TakeHandOver(const shell::HandOver& request) {
  if (!frame_) return;
  frame_->setWindowState(frame_->windowState() & ~Qt::WindowMinimized);
  frame_->show();
  frame_->raise();
  frame_->activateWindow();
  if (!request.document) return;
  handedOver_ = request.document;  // a later request replaces one still waiting
  OpenHandedOver();
}

void CTesselApp::OpenHandedOver() {
  if (!handedOver_ || !frame_) return;
  // A running job or an open dialog finishes first; the document waits.
  if (jobs_.Busy() || QApplication::activeModalWidget() != nullptr) {
    QTimer::singleShot(500, frame_.get(), [this] { OpenHandedOver(); });
    return;
  }
  const std::filesystem::path path = *handedOver_;
  handedOver_.reset();
  frame_->OpenPath(path);
}

LockResult CTesselApp::TakeInstanceLock() {
  lock_ = std::make_unique<InstanceLock>(options_.lockFolder);
  return lock_->Take();
}

bool CTesselApp::CreateDocumentTables() {
  chart_ = document::ChartDocument::Create();
  if (!chart_) return false;
  chart_->NewDocument();
  if (options_.makeDocument) {
    document_ = options_.makeDocument(*chart_);
  } else {
    auto actions = std::make_unique<ChartDocumentActions>(*chart_, *options_.store, *cabinet_,
                                                          pictures_->Services().pictures, &jobs_);
    chartActions_ = actions.get();
    document_ = std::move(actions);
  }
  return true;
}

bool CTesselApp::CreateFrame() {
  FrameServices services;
  services.store = options_.store;
  services.document = document_.get();
  services.chart = chart_.get();
  services.recent = recent_.get();
  services.webEngine = options_.webEngine;
  services.webStorage = options_.webStorage;
  services.programFolder = options_.programFolder;
  services.scratch = scratch_.get();
  services.materials = materials_.get();
  services.index = index_.get();
  services.docType = platform::settings::Get(*options_.store, platform::settings::Last::DocType);
  services.printer = [this] { return printer_.get(); };
  services.jobs = &jobs_;
  services.pictures = &pictures_->Services();
  frame_ = std::make_unique<CMainFrame>(services);
  if (chartActions_) chartActions_->AttachFrame(frame_.get());
  return true;
}

void CTesselApp::ShowFrame(bool maximised) {
  const bool storedMaximised = frame_->RestorePlacement();
  if (maximised || storedMaximised) {
    frame_->showMaximized();
  } else {
    frame_->show();
    frame_->KeepOnScreen();
  }
  frame_->repaint();
}

bool CTesselApp::PreparePrinter(int paperSize, int orientation) {
  // Without a printer the print dialog prints into PDF files.
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  printer_ = info.isNull() ? std::make_unique<QPrinter>() : std::make_unique<QPrinter>(info);
  if (info.isNull()) printer_->setOutputFormat(QPrinter::PdfFormat);
  printer_->setPageSize(platform::ToQPageSize(paperSize));
  printer_->setPageOrientation(orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
  return !info.isNull();
}

bool CTesselApp::InitRibbon() { return frame_->Ribbon()->Init(*options_.store); }

void CTesselApp::SetAnimeCount(int count) { frame_->SetAnimeCount(count); }

}  // namespace plume::shell
