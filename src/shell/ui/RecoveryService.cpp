#include "shell/ui/RecoveryService.h"

#include <QDateTime>
#include <QImage>

#include <algorithm>
#include <cstdlib>

#include "chartview/ChartView.h"
#include "chartview/ViewHost.h"
#include "platform/MemorySettingsStore.h"
#include "platform/Messages.h"
#include "platform/SettingsTable.h"
#include "platform/qt/QtCanvas.h"
#include "shell/DocumentGuard.h"
#include "shell/ui/CRecoveryDlg.h"

namespace plume::shell {
namespace {

namespace fs = std::filesystem;
using Clock = document::RecoveryKeeper::Clock;
namespace settings = platform::settings;

constexpr int kPreviewWidth = 256;
constexpr int kPreviewHeight = 196;

// The first page of `doc` drawn by the page painter, fitted into the preview.
QImage FirstPagePreview(document::ChartDocument& doc, platform::ScratchSurface* scratch) {
  QImage image(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  if (doc.header.pageCount == 0) return image;
  const document::PageRecord& page = doc.pages[0];
  const float zoom = std::clamp(std::min(static_cast<float>(kPreviewWidth) / std::max<int>(1, page.pageWidth),
                                         static_cast<float>(kPreviewHeight) / std::max<int>(1, page.pageHeight)),
                                0.08f, 4.0f);
  platform::MemorySettingsStore viewSettings;
  chartview::WindowlessHost host;
  const bool modified = doc.Changes().IsModified();
  {
    chartview::ChartView view(doc, viewSettings, host, scratch);
    view.SetZoom(zoom);
    platform::QtCanvas canvas(image);
    view.DrawPage(canvas, 0);
  }
  doc.Changes().SetModified(modified);  // the preview's zoom is no edit
  return image;
}

}  // namespace

std::unique_ptr<RecoveryService> RecoveryService::Start(const fs::path& folder, Services services) {
  if (!services.doc || !services.cabinet || !services.codec || !services.settings) return nullptr;
  document::CTesselDoc* doc = services.doc;
  document::JobGate* jobs = services.jobs;
  document::RecoveryKeeper::Source source;
  source.original = [doc] { return doc->OriginalPath(); };
  source.base = [doc] { return doc->OriginalStamp(); };
  source.busy = [jobs] { return jobs && jobs->Busy(); };
  std::unique_ptr<document::RecoveryKeeper> keeper =
      document::RecoveryKeeper::Start(folder, doc->Document(), *services.cabinet, std::move(source));
  if (!keeper) return nullptr;
  return std::unique_ptr<RecoveryService>(new RecoveryService(std::move(keeper), std::move(services)));
}

RecoveryService::RecoveryService(std::unique_ptr<document::RecoveryKeeper> keeper, Services services)
    : keeper_(std::move(keeper)), services_(std::move(services)) {
  ApplyInterval();
  subscription_ = services_.doc->Document().Changes().Subscribe(
      [this](document::Change change) { keeper_->OnChange(change, Clock::now()); });
  timer_.setInterval(Interval() < std::chrono::seconds(2) ? 100 : 1000);
  connect(&timer_, &QTimer::timeout, this, &RecoveryService::Tick);
  timer_.start();
}

RecoveryService::~RecoveryService() = default;

std::chrono::milliseconds RecoveryService::Interval() const {
  if (const char* scripted = std::getenv("PLUMEBOARD_RECOVERY_INTERVAL_MS")) {
    const long ms = std::strtol(scripted, nullptr, 10);
    if (ms > 0) return std::chrono::milliseconds(ms);
  }
  const int minutes = std::clamp(settings::Get(*services_.settings, settings::KanSet::RecoveryMin), 1, 60);
  return std::chrono::minutes(minutes);
}

void RecoveryService::ApplyInterval() {
  const std::chrono::milliseconds interval = Interval();
  keeper_->SetInterval(interval);
  keeper_->SetFirstDelay(std::min<std::chrono::milliseconds>(std::chrono::seconds(3), interval));
}

void RecoveryService::Tick() {
  ApplyInterval();  // a change in the settings sheet applies at once
  keeper_->Tick(Clock::now());
}

void RecoveryService::OfferCopies() {
  const document::RecoveryFolder& folder = keeper_->Folder();
  std::vector<document::RecoveryEntry> offered;
  std::vector<std::unique_ptr<document::ChartDocument>> read;
  std::vector<CRecoveryDlg::Row> rows;
  std::string damaged;
  document::RemoveDeadSaveLeftovers(settings::Get(*services_.settings, settings::Last::FilePath));
  for (document::RecoveryEntry& entry : folder.DeadCopies()) {
    std::unique_ptr<document::ChartDocument> doc = document::ChartDocument::Create();
    if (!doc) return;
    std::string why;
    if (!folder.Load(entry, *services_.cabinet, *services_.codec, *doc, why)) {
      const fs::path aside = folder.KeepAside(entry);
      damaged += fs::path(entry.copyPath.empty() ? entry.recordPath : entry.copyPath).filename().string() + ": " +
                 why.substr(0, why.find('\n')) + (aside.empty() ? " (移動できませんでした)" : "") + "\n";
      continue;
    }
    // A save that was cut short with the program left temporary files beside the document.
    document::RemoveDeadSaveLeftovers(entry.record->original);
    const fs::path& original = entry.record->original;
    CRecoveryDlg::Row row;
    row.name = QString::fromStdString(original.empty() ? std::string(kUntitledName) : original.filename().string());
    row.folder = QString::fromStdString(original.parent_path().string());
    row.time = QDateTime::fromSecsSinceEpoch(entry.record->time).toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    row.preview = FirstPagePreview(*doc, services_.scratch);
    rows.push_back(std::move(row));
    offered.push_back(std::move(entry));
    read.push_back(std::move(doc));
  }
  if (!damaged.empty())
    platform::ShowMessage(platform::StringId::RecoveryDamaged, folder.DamagedFolder().string() + "\n" + damaged,
                          platform::MsgIcon::Warning);
  if (offered.empty()) return;

  auto restore = [&](int i) {
    const auto index = static_cast<std::size_t>(i);
    // The copy becomes this program's own, so it outlives a crash before the next copy;
    // one that cannot be taken over stays where it is and is offered again.
    keeper_->Adopt(offered[index]);
    services_.doc->AdoptRecovered(*read[index], *offered[index].record);
    if (services_.documentReplaced) services_.documentReplaced();
    return true;
  };
  auto discard = [&](int i) {
    const auto index = static_cast<std::size_t>(i);
    folder.Remove(offered[index]);
    offered.erase(offered.begin() + i);
    read.erase(read.begin() + i);
  };
  CRecoveryDlg dialog(std::move(rows), restore, discard, services_.window);
  dialog.exec();
}

}  // namespace plume::shell
