#pragma once
// The program's recovery copies: a keeper that follows the document's changes
// on a one-second timer, and at start-up the offer of the copies that programs
// which ended without saving left behind.

#include <QObject>
#include <QTimer>

#include <filesystem>
#include <memory>
#include <vector>

#include "document/CTesselDoc.h"
#include "document/JobGate.h"
#include "document/RecoveryKeeper.h"
#include "platform/ScratchSurface.h"
#include "platform/SettingsStore.h"

class QWidget;

namespace plume::shell {

class RecoveryService : public QObject {
  Q_OBJECT
 public:
  struct Services {
    document::CTesselDoc* doc = nullptr;
    const platform::Cabinet* cabinet = nullptr;
    const platform::PictureCodec* codec = nullptr;
    platform::SettingsStore* settings = nullptr;
    document::JobGate* jobs = nullptr;
    platform::ScratchSurface* scratch = nullptr;  ///< previews draw pictures through it; may be null
    QWidget* window = nullptr;                    ///< owner of the dialog and the messages
    std::function<void()> documentReplaced;       ///< the window shows the restored document
  };

  /// Keeps copies in `folder`; nullptr when the folder cannot be used.
  static std::unique_ptr<RecoveryService> Start(const std::filesystem::path& folder, Services services);
  ~RecoveryService() override;

  /// Offers the copies of programs that no longer run (the dialog), after
  /// moving those that cannot be read aside and reporting them (30701).
  void OfferCopies();

  document::RecoveryKeeper& Keeper() { return *keeper_; }
  /// The interval between copies: KanSet RecoveryMin minutes, or
  /// PLUMEBOARD_RECOVERY_INTERVAL_MS milliseconds when that is set (scripted runs).
  std::chrono::milliseconds Interval() const;

 private:
  RecoveryService(std::unique_ptr<document::RecoveryKeeper> keeper, Services services);
  void ApplyInterval();
  void Tick();

  std::unique_ptr<document::RecoveryKeeper> keeper_;
  Services services_;
  document::DocumentChanges::Subscription subscription_;
  QTimer timer_;
};

}  // namespace plume::shell
