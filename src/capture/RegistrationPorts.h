#pragma once
// The services the registration flows work with.

#include <filesystem>
#include <functional>

#include "capture/PageCapturePort.h"
#include "document/JobGate.h"
#include "document/NodePicturePort.h"
#include "platform/SettingsStore.h"

namespace plume::store {
class MaterialStore;
}

namespace plume::store::index {
class CapturedCheck;
}

namespace plume::capture {

class ClipboardImagePort;
class DownloadPort;
class HtmlAreaPort;
class PdfStepsPort;
class RegistrationHost;
class TextAreaPort;

/// The services the flows work with; all must outlive the flows.
struct RegistrationPorts {
  RegistrationHost& host;
  store::MaterialStore& store;
  platform::SettingsStore& settings;
  HtmlAreaPort& html;
  TextAreaPort& text;
  PageCapturePort& capture;
  PdfStepsPort& pdf;
  document::NodePicturePort& pictures;
  DownloadPort& downloads;
  ClipboardImagePort& clipboard;
  /// The scratch folder (empty after its message); this process's GetScratchFolder by default.
  std::function<std::filesystem::path()> workFolder;
  /// Asks before the store takes a file or page it already holds; null: never asks.
  store::index::CapturedCheck* captured = nullptr;
  /// The application's one job gate; null: the flows keep their own.
  document::JobGate* jobs = nullptr;
};

}  // namespace plume::capture
