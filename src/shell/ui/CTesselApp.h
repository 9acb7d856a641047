#pragma once
// The application object: takes the single-instance lock, owns the settings
// store, the document tables, the document and the main frame, and runs the
// start-up sequence against them.

#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "document/ChartDocument.h"
#include "document/JobGate.h"
#include "platform/SettingsStore.h"
#include "shell/AppStartup.h"
#include "shell/RecentFileList.h"

class QPrinter;

namespace plume::platform {
class GcabCabinet;
class QtFolderOpener;
class QtScratchSurface;
}  // namespace plume::platform
namespace plume::convert {
struct PictureServices;
namespace ui {
class QtPictureServices;
}
}  // namespace plume::convert
namespace plume::store {
class MaterialStore;
namespace index {
class IndexService;
class MaterialTextReader;
}
}  // namespace plume::store

namespace plume::shell {

class CMainFrame;
class ChartDocumentActions;
class InstanceChannel;
class InstanceLock;
class RecoveryService;
struct HandOver;

struct AppOptions {
  platform::SettingsStore* store = nullptr;  ///< the settings; required
  QString lockFolder;                         ///< empty: the user's runtime folder
  bool webEngine = true;
  std::filesystem::path webStorage;  ///< the browser's cookies and logins; empty keeps none
  std::filesystem::path programFolder;
  /// Replaces the document actions over the chart (tests); by default the
  /// document object opens and saves .pbd files.
  std::function<std::unique_ptr<DocumentActions>(document::ChartDocument&)> makeDocument;
  /// Where recovery copies are kept; empty keeps none and offers none (tests).
  std::filesystem::path recoveryFolder;
  /// Keep the material index in the user's cache folder (the program; tests leave it off).
  bool materialIndex = false;
};

class CTesselApp final : public StartupHost {
 public:
  explicit CTesselApp(AppOptions options);
  ~CTesselApp() override;

  /// Runs start-up; false when the program must end (its message was shown).
  bool Start(const std::optional<std::filesystem::path>& document);
  CMainFrame* Frame() const { return frame_.get(); }
  document::ChartDocument* Chart() const { return chart_.get(); }
  /// The one set of picture codecs and the node picture loader.
  convert::PictureServices& Pictures() const;
  const StartupState& State() const { return state_; }
  RecentFileList& Recent() { return *recent_; }
  /// The default printer set up at start-up; a PDF printer when there is none.
  QPrinter* Printer() const { return printer_.get(); }
  /// The one long job that may run at a time (capture, registration, save, open).
  document::JobGate& Jobs() { return jobs_; }
  /// The recovery copies; nullptr when none are kept.
  RecoveryService* Recovery() const { return recovery_.get(); }

  // StartupHost
  LockResult TakeInstanceLock() override;
  bool HandOver(const std::optional<std::filesystem::path>& document) override;
  bool CreateDocumentTables() override;
  bool CreateFrame() override;
  DocumentActions& Document() override { return *document_; }
  void ShowFrame(bool maximised) override;
  bool PreparePrinter(int paperSize, int orientation) override;
  bool InitRibbon() override;
  void SetAnimeCount(int count) override;

 private:
  /// Keeps recovery copies of the document and offers those of programs that ended without saving.
  void StartRecovery();

  AppOptions options_;
  document::JobGate jobs_;
  /// A second start's request: the window comes to the front and opens the
  /// document once no job and no dialog is in the way.
  void TakeHandOver(const shell::HandOver& request);
  void OpenHandedOver();

  std::unique_ptr<InstanceLock> lock_;
  std::unique_ptr<InstanceChannel> channel_;
  std::optional<std::filesystem::path> handedOver_;  ///< waiting to be opened
  // Shared services: the picture codecs with the node picture loader, one cabinet, the scratch surface,
  // one material store with its openers; handed to the frame.
  std::unique_ptr<convert::ui::QtPictureServices> pictures_;
  std::unique_ptr<platform::GcabCabinet> cabinet_;
  std::unique_ptr<platform::QtScratchSurface> scratch_;
  std::unique_ptr<platform::QtFolderOpener> folders_;
  std::unique_ptr<store::MaterialStore> materials_;
  std::unique_ptr<store::index::MaterialTextReader> textReader_;
  std::unique_ptr<store::index::IndexService> index_;
  ChartDocumentActions* chartActions_ = nullptr;  ///< document_ when it is the default
  std::unique_ptr<RecentFileList> recent_;
  std::unique_ptr<document::ChartDocument> chart_;
  std::unique_ptr<DocumentActions> document_;
  std::unique_ptr<CMainFrame> frame_;
  std::unique_ptr<QPrinter> printer_;
  StartupState state_;
  std::unique_ptr<RecoveryService> recovery_;  ///< goes first: it follows the chart and the document
};

}  // namespace plume::shell
