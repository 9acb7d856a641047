#include "capture/ClipboardImageFlow.h"

#include <filesystem>
#include <string>

#include "capture/ClipboardImagePort.h"
#include "capture/MaterialRegistration.h"
#include "capture/RegistrationHost.h"
#include "platform/Messages.h"
#include "platform/SettingsTable.h"
#include "store/index/CapturedCheck.h"

namespace plume::capture {

namespace fs = std::filesystem;

ClipboardImageFlow::ClipboardImageFlow(const RegistrationPorts& ports, RegistrationJob& job, CaptureState& state)
    : ports_(ports), job_(job), state_(state) {}

bool ClipboardImageFlow::Run(InsertionPoint at) {
  if (!ports_.host.EnsureSaved()) return false;
  if (!job_.Begin("clipboard image")) return false;
  const fs::path work = ports_.workFolder();
  if (work.empty()) return false;
  // An image with see-through parts is kept as a PNG, as the same file dropped would be.
  const std::string type = ports_.clipboard.ImageHasAlpha()
                               ? std::string("PNG")
                               : platform::settings::Get(ports_.settings, platform::settings::KanSet::ImageType);
  state_.imagePath = work / ("tmp." + type);
  const char* tag = nullptr;
  switch (ports_.clipboard.SaveClipboardImage(state_.imagePath, type)) {
    case ClipboardSave::Saved:
      break;
    case ClipboardSave::NoBitmap:
      return false;
    case ClipboardSave::TakeFailed:
      tag = "クリップボードからの取得エラー\n";
      break;
    case ClipboardSave::ConversionFailed:
      tag = "DIBへの変換エラー\n";
      break;
    case ClipboardSave::SaveFailed:
      tag = "セーブエラー\n";
      break;
  }
  if (tag != nullptr) {
    platform::ShowMessage(platform::StringId::ImagePasteFailed, tag);
    return false;
  }
  if (ports_.captured && !ports_.captured->ProceedWithFile(state_.imagePath)) return false;
  auto r = MaterialRegistration::Reserve(ports_);
  if (!r) return false;
  MaterialRecord record(at);
  if (!r->StoreMaterial(type, state_.imagePath, record)) return r->Fail();
  return r->Register(std::move(record));
}

}  // namespace plume::capture
