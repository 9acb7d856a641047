#include "shell/ui/CMainFrame.h"

#include <QCloseEvent>
#include <QLabel>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "chartview/ui/CTesselView.h"
#include "document/ui/CUnderBar.h"
#include "document/ui/QtFileDialogs.h"
#include "platform/Cp932.h"
#include "platform/FileDescriptor.h"
#include "platform/Messages.h"
#include "platform/SettingsTable.h"
#include "platform/qt/QtConvert.h"
#include "shell/AreaLayout.h"
#include "shell/DocumentGuard.h"
#include "shell/ui/BrowserCommands.h"
#include "shell/ui/CHView.h"
#include "shell/ui/CMyRibbonBar.h"
#include "shell/ui/ChartViewParts.h"
#include "shell/ui/CommandRouter.h"
#include "shell/ui/DocumentCommands.h"
#include "shell/ui/ExportCommands.h"
#include "shell/ui/FrameJobs.h"
#include "shell/ui/FrameRegistration.h"
#include "shell/ui/HistoryCommands.h"
#include "shell/ui/MaterialCommandBinding.h"
#include "shell/ui/PrintCommand.h"
#include "shell/ui/ProportionalSplitter.h"
#include "shell/ui/SettingsCommands.h"
#include "shell/ui/StyleCommands.h"
#include "shell/ui/TabCommands.h"
#include "shell/ui/TextAreaCommands.h"
#include "shell/ui/WordCommands.h"
#include "store/MaterialStore.h"
#include "store/index/CapturedCheck.h"
#include "store/ui/CTView.h"
#include "store/ui/IndexStatusLabel.h"

namespace plume::shell {

namespace settings = platform::settings;

CMainFrame::CMainFrame(const FrameServices& services, QWidget* parent)
    : QMainWindow(parent), services_(services) {
  if (services_.jobs == nullptr) ownJobs_ = std::make_unique<document::JobGate>();
  jobs_ = services_.jobs != nullptr ? services_.jobs : ownJobs_.get();
  router_ = new CommandRouter(this);
  ribbon_ = new CMyRibbonBar(*router_, this);
  ribbon_->recentFiles = [this] { return services_.recent ? services_.recent->Entries() : std::vector<std::string>{}; };
  setMenuWidget(ribbon_);
  BuildStatusBar();
  BuildClient();
  BindFrameCommands();
  BuildCommandGroups();
  BindRegistration();
  frameJobs_ = std::make_unique<FrameJobs>(FrameJobs::Parts{*router_, *jobs_, registration_, *this});
  pendingSizes_ = LoadAreaSizes(*services_.store);
  document::ui::QtFileDialogs::SetDocumentFolder([this] { return services_.document->Path().parent_path(); });
  router_->Refresh();
  // Update handlers run while the program is idle, as menus and the ribbon ask.
  auto* idle = new QTimer(this);
  connect(idle, &QTimer::timeout, this, [this] {
    router_->Refresh();
    RefreshTitle();
  });
  idle->start(250);
  RefreshTitle();
}

void CMainFrame::BuildCommandGroups() {
  auto documentReplaced = [this] { DocumentReplaced(); };
  auto refreshTitle = [this] { RefreshTitle(); };
  documentCommands_ = std::make_unique<DocumentCommands>(
      DocumentCommands::Parts{*router_, *services_.document, *services_.chart, services_.recent, *services_.pictures,
                              this, askOpenFile, documentReplaced, refreshTitle});
  tabCommands_ = std::make_unique<TabCommands>(
      TabCommands::Parts{*router_, *tabBar_, *chartView_, *services_.chart, *services_.store, services_.materials,
                         this, refreshTitle});
  textAreaCommands_ =
      std::make_unique<TextAreaCommands>(TextAreaCommands::Parts{*router_, textArea_, *services_.store, this});
  // The chart export; the title and address of the page in the HTML area become the PDF's information.
  exportCommands_ = std::make_unique<ExportCommands>(ExportCommands::Parts{
      *router_, *chartView_, *services_.store, services_.scratch, this, [this] {
        convert::PdfInfoSource source;
        if (htmlArea_) {
          source.title = platform::Utf8ToCp932(htmlArea_->GetPageTitle());
          source.address = platform::Utf8ToCp932(htmlArea_->GetLocation());
        }
        return source;
      }});
  styleCommands_ = std::make_unique<StyleCommands>(
      StyleCommands::Parts{*router_, *services_.store, *chartView_, *ribbon_, this});
  historyCommands_ = std::make_unique<HistoryCommands>(HistoryCommands::Parts{*router_, *chartView_, *tabBar_});
  browserCommands_ = std::make_unique<BrowserCommands>(
      BrowserCommands::Parts{*router_, *ribbon_, *htmlArea_, *textArea_, *panes_[120], services_.docType});
  printCommand_ = std::make_unique<PrintCommand>(PrintCommand::Parts{
      *router_, *chartView_, *services_.chart, *services_.store, services_.scratch, this, services_.printer});
  settingsCommands_ = std::make_unique<SettingsCommands>(
      SettingsCommands::Parts{*router_, *services_.store, services_.recent, htmlArea_, animeCount_, this});
  // The application's one store asks the settings sheet when it has no folder.
  services_.materials->SetSettingsSheet(settingsCommands_.get());
  wordCommands_ = std::make_unique<WordCommands>(
      WordCommands::Parts{*router_, *ribbon_, *services_.store, htmlArea_, textArea_});
}

void CMainFrame::BindRegistration() {
  if (chartView_ == nullptr || services_.chart == nullptr || services_.document == nullptr) return;
  if (services_.index != nullptr && captured_ == nullptr) {
    // "Show it": the search dialog opens on the material once the registration has ended.
    captured_ = std::make_unique<store::index::CapturedCheck>(
        *services_.index, [this](store::Serial serial, const store::MaterialInfo&) {
          QTimer::singleShot(0, this, [this, serial] {
            if (materialCommands_) materialCommands_->ShowMaterial(serial);
          });
        });
  }
  // Owned by the chart view; lives as long as the view.
  registration_ = new FrameRegistration(RegistrationParts{
      chartView_, services_.chart, services_.document, services_.store, textArea_,
      htmlArea_ ? &htmlArea_->Controller() : nullptr, htmlArea_ ? htmlArea_->EngineView() : nullptr,
      services_.materials, captured_.get(), jobs_, htmlArea_, htmlArea_ ? htmlArea_->WebEngine() : nullptr,
      services_.pictures});
}

CMainFrame::~CMainFrame() {
  frameJobs_.reset();  // the gate no longer calls this frame
  // The chart view and its parts call this frame: they go while it is whole.
  viewParts_.reset();
  materialCommands_.reset();
  exportCommands_.reset();
  delete chartView_;
  chartView_ = nullptr;
  document::ui::QtFileDialogs::SetDocumentFolder({});
  if (services_.materials) services_.materials->SetSettingsSheet(nullptr);  // the sheet goes with the frame
}

void CMainFrame::BuildStatusBar() {
  struct Pane {
    int id;
    const char* name;
    QString widthTemplate;
  };
  const Pane panes[] = {{120, "URL", QString(60, QLatin1Char('9'))},
                        {121, "POS", QStringLiteral("9999, 9999")},
                        {122, "SIZE", QStringLiteral("999×999")},
                        {342, "CURSOR", QStringLiteral("9999, 9999")},
                        {343, "ZOOM", QStringLiteral(" 100% ")}};
  for (const Pane& pane : panes) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(pane.name));
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(pane.widthTemplate) + 8);
    panes_[pane.id] = label;
    if (pane.id == 120) {
      statusBar()->addWidget(label, 1);
    } else {
      label->setAlignment(Qt::AlignCenter);
      statusBar()->addPermanentWidget(label);
    }
  }
  panes_[343]->setText(QStringLiteral(" 100% "));
  if (services_.index != nullptr) statusBar()->addPermanentWidget(new store::IndexStatusLabel(*services_.index, this));
}

QLabel* CMainFrame::StatusPane(int id) const {
  const auto it = panes_.find(id);
  return it == panes_.end() ? nullptr : it->second;
}

void CMainFrame::BuildClient() {
  outer_ = new QSplitter(Qt::Horizontal, this);
  inner_ = new QSplitter(Qt::Vertical, outer_);
  htmlArea_ = new CHView(*services_.store, services_.webEngine, services_.webStorage, inner_);
  textArea_ = new store::CTView(inner_);
  textArea_->setAcceptRichText(true);
  textArea_->setFont(QFont(QStringLiteral("Meiryo UI"), 10));
  inner_->addWidget(htmlArea_);
  inner_->addWidget(textArea_);
  inner_->setStretchFactor(0, 0);
  inner_->setStretchFactor(1, 1);

  auto* chartColumn = new QWidget(outer_);
  auto* column = new QVBoxLayout(chartColumn);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  chartView_ = new chartview::CTesselView(*services_.chart, *services_.store, services_.scratch,
                                          static_cast<chartview::ViewFrame&>(*this), chartColumn);
  tabBar_ = new document::CUnderBar(chartColumn);
  column->addWidget(chartView_, 1);
  column->addWidget(tabBar_);
  outer_->addWidget(inner_);
  outer_->addWidget(chartColumn);
  outer_->setStretchFactor(0, 0);
  outer_->setStretchFactor(1, 1);
  ProportionalSplitter::Keep(outer_);
  ProportionalSplitter::Keep(inner_);
  setCentralWidget(outer_);

  tabBar_->scrollPosition = [this] { return chartView_->ScrollPosition(); };
  tabBar_->pageChanged = [this] { chartView_->ShowCurrentPage(); };
  // Every edit of the document, wherever it happens, shows in the title.
  changes_ = services_.chart->Changes().Subscribe([this](document::Change change) {
    if (change == document::Change::Modified || change == document::Change::Unmodified) RefreshTitle();
  });
  viewParts_ = std::make_unique<ChartViewParts>(
      *chartView_, *services_.store, *services_.materials, *services_.pictures,
      [this](const std::string& address) { htmlArea_->Navigate(address); });
  materialCommands_ = std::make_unique<MaterialCommandBinding>(MaterialCommandBinding::Parts{
      this, chartView_, router_, services_.store, services_.document, textArea_,
      [this](const std::string& address) { htmlArea_->Navigate(address); },
      [this] { viewParts_->CloseEditorForDelete(); }, [this] { ToggleFullScreen(); }, services_.materials,
      services_.index, services_.pictures});
  tabBar_->clearItemClipboard = [this] { materialCommands_->Commands().Clipboard().Clear(); };
  // Ctrl+arrow in the chart area nudges what is selected; with nothing selected it shows the areas.
  router_->SetKeyClaim([this](QWidget* focus, const QKeyEvent& key) {
    return (focus == chartView_ || focus == chartView_->viewport()) && chartView_->ClaimsKey(key);
  });
  chartView_->RebuildConsole();
  tabBar_->SetDocument(*services_.chart, document::TabBarSettings::Load(*services_.store));
}

AreaSizes CMainFrame::CurrentAreaSizes() const {
  if (!sizesApplied_) return pendingSizes_;
  return {outer_->sizes().value(0), inner_->sizes().value(0)};
}

void CMainFrame::ApplyAreaSizes(AreaSizes sizes) {
  pendingSizes_ = sizes;
  sizesApplied_ = true;
  const int width = std::max(0, outer_->width() - outer_->handleWidth());
  const int height = std::max(0, inner_->height() - inner_->handleWidth());
  const int left = std::min(sizes.leftWidth, width);
  const int top = std::min(sizes.htmlHeight, height);
  outer_->setSizes({left, width - left});
  inner_->setSizes({top, height - top});
}

void CMainFrame::RunAreaCommand(AreaCommand command) {
  const QSize client = outer_->size();
  ApplyAreaSizes(SizesFor(command, client.width(), client.height(), CurrentAreaSizes()));
}

void CMainFrame::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!sizesApplied_) {
    // The splitters know their extent only once the window is laid out.
    // Stored sizes are fitted to the window: none starts collapsed unless an area command did it.
    const AreaSizes sizes = pendingSizes_;
    QTimer::singleShot(0, this, [this, sizes] {
      if (!sizesApplied_) ApplyAreaSizes(FitStoredAreaSizes(sizes, std::max(0, outer_->width() - outer_->handleWidth()),
                                                            std::max(0, inner_->height() - inner_->handleWidth())));
    });
  }
}

bool CMainFrame::RestorePlacement() {
  const Placement placement = LoadPlacement(*services_.store);
  const QRect desktop = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
  const WindowBox box = PlaceOnDesktop(placement, desktop.width(), desktop.height());
  // Position of the window with its frame, size of its client, as written by SaveState.
  move(desktop.x() + box.x, desktop.y() + box.y);
  resize(box.width, box.height);
  return placement.maximised;
}

void CMainFrame::KeepOnScreen() {
  if (isMaximized() || isFullScreen() || !screen()) return;
  const QRect desktop = screen()->availableGeometry();
  const QRect outer = frameGeometry();
  if (desktop.contains(outer)) return;
  // The window manager's frame is known only now; the client gives way to it.
  const int frameWidth = outer.width() - width();
  const int frameHeight = outer.height() - height();
  WindowBox box{outer.x() - desktop.x(), outer.y() - desktop.y(), std::min(outer.width(), desktop.width()),
                std::min(outer.height(), desktop.height())};
  box = ClampToDesktop(box, desktop.width(), desktop.height());
  resize(box.width - frameWidth, box.height - frameHeight);
  move(desktop.x() + box.x, desktop.y() + box.y);
}

void CMainFrame::SaveState() {
  platform::SettingsStore& store = *services_.store;
  SaveAreaSizes(store, CurrentAreaSizes());
  const bool maximised = isMaximized() || (isFullScreen() && wasMaximised_);
  const QRect normal = (isMaximized() || isFullScreen()) ? normalGeometry() : QRect(pos(), size());
  const QRect desktop = screen() ? screen()->availableGeometry() : QRect();
  SavePlacement(store, {{normal.x() - desktop.x(), normal.y() - desktop.y(), normal.width(), normal.height()}, maximised});
  settings::Set(store, settings::Last::DocType, services_.docType);
  settings::Set(store, settings::KanSet::PlayAnime, animeCount_);
  tabBar_->Settings().Save(store);
  chartView_->View().SaveZoomToSettings();
  viewParts_->SaveState();
  store.Flush();
  stateSaved_ = true;
}

void CMainFrame::ToggleFullScreen() {
  chartView_->setFocus();
  if (!isFullScreen()) {
    wasMaximised_ = isMaximized();
    ribbon_->hide();
    statusBar()->hide();
    showFullScreen();
    return;
  }
  ribbon_->show();
  statusBar()->show();
  if (wasMaximised_) {
    showMaximized();
  } else {
    showNormal();
  }
}

void CMainFrame::ShowHelp() {
  const std::filesystem::path manual = services_.programFolder / "Manual.pdf";
  if (!platform::IsRegularFile(manual)) {
    platform::ShowMessage(platform::StringId::ManualNotFound, {}, platform::MsgIcon::Information,
                          platform::MsgButtons::Ok, this);
    return;
  }
  htmlArea_->Navigate(manual.string());
}

void CMainFrame::ShowItemPanes(std::string_view position, std::string_view size) {
  panes_[121]->setText(platform::FromUtf8(position));
  panes_[122]->setText(platform::FromUtf8(size));
}

void CMainFrame::ShowZoomPane(std::string_view text) { panes_[343]->setText(platform::FromUtf8(text)); }

void CMainFrame::ShowStatusText(std::string_view text) {
  if (text.empty())
    statusBar()->clearMessage();
  else
    statusBar()->showMessage(platform::FromUtf8(text));
}

void CMainFrame::ShowPointerPane(std::string_view text) { panes_[342]->setText(platform::FromUtf8(text)); }

int CMainFrame::TabAt(platform::Point global) {
  const QPoint local = tabBar_->mapFromGlobal(QPoint(global.x, global.y));
  return tabBar_->rect().contains(local) ? tabBar_->tabAt(local) : -1;
}

// An item dragged into the band above the page tabs is on its way to a tab.
int CMainFrame::TabBandHeight() { return tabBar_->height(); }

void CMainFrame::PageShown() { tabBar_->Sync(); }

void CMainFrame::RunCommand(int id) { router_->Trigger(id); }

bool CMainFrame::CommandEnabled(int id) { return router_->State(id).enabled; }

void CMainFrame::CompleteMenuFacts(chartview::MenuFacts& facts) { facts.htmlTypeWord = htmlArea_->GetPageType(); }

void CMainFrame::OpenPath(const std::filesystem::path& path) { documentCommands_->OpenPath(path); }

QMenu* CMainFrame::BuildTabMenu(bool onTab) { return tabCommands_->BuildMenu(onTab); }

void CMainFrame::DocumentReplaced() {
  tabBar_->SetDocument(*services_.chart, tabBar_->Settings());
  chartView_->DocumentShown();
  RefreshTitle();
}

void CMainFrame::RecentFileAdded(const std::filesystem::path& path) {
  if (services_.recent) services_.recent->Add(path);
  router_->Refresh();
}

void CMainFrame::RefreshTitle() {
  const QString title = QString::fromStdString(WindowTitle(*services_.document));
  if (windowTitle() != title) setWindowTitle(title);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (!frameJobs_->CloseAfterJobs()) {
    event->ignore();
    return;
  }
  if (!ConfirmDiscard(*services_.document)) {
    event->ignore();
    return;
  }
  if (!stateSaved_) SaveState();
  event->accept();
}

}  // namespace plume::shell
