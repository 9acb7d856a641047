#include "shell/AppStartup.h"

#include "platform/Messages.h"
#include "platform/SettingsTable.h"

namespace plume::shell {

namespace settings = platform::settings;
using platform::StringId;

int NormalisedOrientation(int stored) { return stored == 2 ? 2 : 1; }

StartupState RunStartup(StartupHost& host, platform::SettingsStore& store,
                        const std::optional<std::filesystem::path>& commandLineDocument) {
  StartupState state;
  switch (host.TakeInstanceLock()) {
    case LockResult::HeldByOther:
      // The copy that runs opens the document; 30072 only when it cannot be reached.
      if (host.HandOver(commandLineDocument)) {
        state.handedOver = true;
        return state;
      }
      platform::ShowMessage(StringId::AlreadyRunning);
      return state;
    case LockResult::Unavailable:
      // Without a usable runtime folder the program still runs, unguarded.
      platform::ShowMessage(StringId::LockUnavailable, {}, platform::MsgIcon::Warning);
      break;
    case LockResult::Acquired:
      break;
  }
  state.docType = settings::Get(store, settings::Last::DocType);
  if (!host.CreateDocumentTables()) return state;
  if (!host.CreateFrame()) return state;

  DocumentActions& document = host.Document();
  if (commandLineDocument) {
    if (document.Open(*commandLineDocument)) state.opened = commandLineDocument;
  } else {
    document.New();
  }
  host.ShowFrame(settings::Get(store, settings::Last::Zoomed) == 1);

  // A machine without a printer still runs; printing then writes PDF files.
  state.printerReady = host.PreparePrinter(settings::Get(store, settings::Insatu::PaperSize),
                                           NormalisedOrientation(settings::Get(store, settings::Insatu::Orientation)));
  if (!host.InitRibbon()) {
    platform::ShowMessage(StringId::RibbonInitFailed);
    return state;
  }
  host.SetAnimeCount(settings::Get(store, settings::KanSet::PlayAnime));

  if (!commandLineDocument && settings::Get(store, settings::KanSet::FirstOpen) == 1) {
    const std::string first = settings::Get(store, settings::RecentFile(1));
    if (!first.empty() && document.Open(first)) state.opened = std::filesystem::path(first);
  }
  state.ok = true;
  return state;
}

bool RequirePrinter(const StartupState& state) {
  if (state.printerReady) return true;
  platform::ShowMessage(StringId::PrinterInitFailed);
  return false;
}

}  // namespace plume::shell
