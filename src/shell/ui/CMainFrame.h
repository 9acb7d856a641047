#pragma once
// The main window: ribbon on top, status bar below, and between them the HTML
// and text areas in the left column and the chart area with its page tab bar
// in the right column. Keeps its geometry and area sizes across runs.

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>

#include "chartview/ViewFrame.h"
#include "document/ChartDocument.h"
#include "document/DocumentChanges.h"
#include "document/JobGate.h"
#include "platform/ScratchSurface.h"
#include "platform/SettingsStore.h"
#include "shell/DocumentActions.h"
#include "shell/RecentFileList.h"
#include "shell/WindowGeometry.h"

class QLabel;
class QMenu;
class QSplitter;
class QPrinter;
class QTextEdit;

namespace plume::convert {
struct PictureServices;
}
namespace plume::chartview {
class CTesselView;
}
namespace plume::document {
class CUnderBar;
}
namespace plume::store {
class MaterialStore;
namespace index {
class CapturedCheck;
class IndexService;
}
}

namespace plume::shell {

class BrowserCommands;
class DocumentCommands;
class ExportCommands;
class FrameJobs;
class HistoryCommands;
class PrintCommand;
class SettingsCommands;
class StyleCommands;
class TabCommands;
class TextAreaCommands;
class WordCommands;

class ChartViewParts;
class MaterialCommandBinding;
class CMyRibbonBar;
class CommandRouter;
class CHView;
class FrameRegistration;

/// What the frame works with; everything outlives the frame.
struct FrameServices {
  platform::SettingsStore* store = nullptr;
  DocumentActions* document = nullptr;
  document::ChartDocument* chart = nullptr;
  RecentFileList* recent = nullptr;
  platform::ScratchSurface* scratch = nullptr;  ///< node pictures; null leaves them out
  store::MaterialStore* materials = nullptr;    ///< the material store; required
  store::index::IndexService* index = nullptr;  ///< the material index; null: searches scan
  bool webEngine = true;                  ///< false: a blank HTML area (tests)
  std::filesystem::path webStorage;       ///< the browser's cookies and logins; empty keeps none
  std::filesystem::path programFolder;    ///< where Manual.pdf is looked for
  int docType = 0;                        ///< kind of web search, written back at exit
  /// The printer set up at start-up; null (or returning null): printing shows 30082.
  std::function<QPrinter*()> printer;
  /// The application's one job gate; null: the frame keeps its own.
  document::JobGate* jobs = nullptr;
  /// The application's picture codecs and node picture loader; required.
  convert::PictureServices* pictures = nullptr;
};

class CMainFrame : public QMainWindow, private chartview::ViewFrame {
  Q_OBJECT
 public:
  explicit CMainFrame(const FrameServices& services, QWidget* parent = nullptr);
  ~CMainFrame() override;

  /// Moves and sizes the window as stored where it fits the desktop (the
  /// first window at a share of it); returns
  /// whether it should start maximised.
  bool RestorePlacement();
  /// Once shown, when the window with its frame reaches past the available
  /// screen: made smaller and moved so that all of it is on the screen.
  void KeepOnScreen();
  /// Writes the area sizes, placement, pointer count and tab bar settings.
  void SaveState();
  /// Opens a document as the open command does: first the question about
  /// unsaved changes, then the document replaces the one shown.
  void OpenPath(const std::filesystem::path& path);

  CommandRouter& Router() { return *router_; }
  /// The one long job that may run at a time (capture, registration, save, open).
  document::JobGate& Jobs() { return *jobs_; }
  /// The chart view's registrations; null before they are bound.
  FrameRegistration* Registration() const { return registration_; }
  /// The chart item commands and the store dialogs of the window.
  MaterialCommandBinding& MaterialCommands() { return *materialCommands_; }
  CMyRibbonBar* Ribbon() const { return ribbon_; }
  document::CUnderBar* TabBar() const { return tabBar_; }
  chartview::CTesselView* ChartView() const { return chartView_; }
  QTextEdit* TextArea() const { return textArea_; }
  CHView* HtmlArea() const { return htmlArea_; }
  /// Status pane by id (120, 121, 122, 342, 343).
  QLabel* StatusPane(int id) const;

  AreaSizes CurrentAreaSizes() const;
  void ApplyAreaSizes(AreaSizes sizes);
  void RunAreaCommand(AreaCommand command);
  void ToggleFullScreen();
  int AnimeCount() const { return animeCount_; }
  void SetAnimeCount(int count) { animeCount_ = count; }
  /// Shows Manual.pdf in the HTML area, or 30163.
  void ShowHelp();
  /// After the document was opened or set up: page tabs rebuilt, the view
  /// shows the current page at its saved scroll position, title.
  void DocumentReplaced();
  /// A document path was opened or saved: it heads the recent file list.
  void RecentFileAdded(const std::filesystem::path& path);
  /// Asks for a document to open; empty on Cancel. Replaceable (tests).
  std::function<QString()> askOpenFile;
  void RefreshTitle();
  /// The tab context menu (on a tab, or the short one beside the tabs).
  QMenu* BuildTabMenu(bool onTab);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildStatusBar();
  void BuildClient();
  /// Areas, full screen, the ribbon, help, about, exit and the pointer trails (MainFrameCommands.cpp).
  void BindFrameCommands();
  /// The command groups, each bound to the router with the parts it needs.
  void BuildCommandGroups();
  /// The chart view's "add a node here" commands and its drop target (FrameRegistration).
  void BindRegistration();

  // ViewFrame: what the chart view asks of the window.
  void ShowItemPanes(std::string_view position, std::string_view size) override;
  void ShowZoomPane(std::string_view text) override;
  void ShowStatusText(std::string_view text) override;
  void ShowPointerPane(std::string_view text) override;
  int TabAt(platform::Point global) override;
  int TabBandHeight() override;
  void PageShown() override;
  void RunCommand(int id) override;
  bool CommandEnabled(int id) override;
  void CompleteMenuFacts(chartview::MenuFacts& facts) override;
  int PointerTrails() override { return animeCount_; }

  FrameServices services_;
  std::unique_ptr<document::JobGate> ownJobs_;
  document::JobGate* jobs_ = nullptr;
  FrameRegistration* registration_ = nullptr;  ///< owned by the chart view
  CommandRouter* router_ = nullptr;
  CMyRibbonBar* ribbon_ = nullptr;
  QSplitter* outer_ = nullptr;
  QSplitter* inner_ = nullptr;
  CHView* htmlArea_ = nullptr;
  QTextEdit* textArea_ = nullptr;
  chartview::CTesselView* chartView_ = nullptr;
  std::unique_ptr<DocumentCommands> documentCommands_;
  std::unique_ptr<TabCommands> tabCommands_;
  std::unique_ptr<TextAreaCommands> textAreaCommands_;
  std::unique_ptr<ExportCommands> exportCommands_;
  std::unique_ptr<StyleCommands> styleCommands_;
  std::unique_ptr<HistoryCommands> historyCommands_;
  std::unique_ptr<BrowserCommands> browserCommands_;
  std::unique_ptr<PrintCommand> printCommand_;
  std::unique_ptr<SettingsCommands> settingsCommands_;
  std::unique_ptr<WordCommands> wordCommands_;
  std::unique_ptr<FrameJobs> frameJobs_;  ///< the cursor and the commands follow the job gate
  std::unique_ptr<ChartViewParts> viewParts_;
  std::unique_ptr<MaterialCommandBinding> materialCommands_;
  std::unique_ptr<store::index::CapturedCheck> captured_;
  document::CUnderBar* tabBar_ = nullptr;
  std::map<int, QLabel*> panes_;
  AreaSizes pendingSizes_;
  bool sizesApplied_ = false;
  bool wasMaximised_ = false;
  bool stateSaved_ = false;
  int animeCount_ = 3;
  document::DocumentChanges::Subscription changes_;  ///< the title follows the modified flag
};

}  // namespace plume::shell
