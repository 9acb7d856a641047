#pragma once
// The start-up and exit sequences of the application, as plain C++ over the
// services they call. The Qt application object supplies the services.

#include <filesystem>
#include <optional>

#include "platform/SettingsStore.h"
#include "shell/DocumentActions.h"

namespace plume::shell {

/// Result of taking the single-instance lock.
enum class LockResult { Acquired, HeldByOther, Unavailable };

/// Orientation 1 portrait, 2 landscape; any other stored value counts as 1.
int NormalisedOrientation(int stored);

/// The steps of start-up that need the window system.
class StartupHost {
 public:
  virtual ~StartupHost() = default;
  /// Takes the lock named after the application id.
  virtual LockResult TakeInstanceLock() = 0;
  /// With the lock held by another copy: hands it the document (or only asks
  /// it to come to the front); true once that copy has taken the request.
  virtual bool HandOver(const std::optional<std::filesystem::path>& document) = 0;
  /// Allocates the document tables; false after 30001 was shown.
  virtual bool CreateDocumentTables() = 0;
  /// Creates the main frame with its areas and bars; false when it failed
  /// (its message shown).
  virtual bool CreateFrame() = 0;
  /// The document the frame works on (valid after CreateFrame).
  virtual DocumentActions& Document() = 0;
  /// Shows the main window, maximised or normal.
  virtual void ShowFrame(bool maximised) = 0;
  /// Sets up the default printer with a paper code and an orientation (1, 2);
  /// false when the system has no default printer (printing then goes to PDF files).
  virtual bool PreparePrinter(int paperSize, int orientation) = 0;
  /// Looks up the ribbon elements the frame updates; false when any is missing.
  virtual bool InitRibbon() = 0;
  /// The animated-pointer count the chart view starts with.
  virtual void SetAnimeCount(int count) = 0;
};

/// What start-up decided, for the application object.
struct StartupState {
  bool ok = false;
  bool handedOver = false;  ///< the copy that runs took the request; this one ends quietly
  bool printerReady = false;  ///< false: no printer; printing offers PDF files only
  int docType = 0;            ///< kind of web search (Last DocType)
  std::optional<std::filesystem::path> opened;  ///< the document opened at start-up
};

/// Runs start-up in order: lock, settings, tables, frame, command line,
/// window, printer, ribbon, pointer count, FirstOpen. A failure shows its
/// message and returns ok = false. The store is already open.
StartupState RunStartup(StartupHost& host, platform::SettingsStore& store,
                        const std::optional<std::filesystem::path>& commandLineDocument);

/// Called by a command that prints: true when the printer is set up,
/// otherwise shows 30082 and returns false.
bool RequirePrinter(const StartupState& state);

}  // namespace plume::shell
