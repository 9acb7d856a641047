#pragma once
// Every way a material enters the store: the five capture commands of the
// chart view's menu, dropped files (with the wait for a dropped PDF's text),
// dropped links and the clipboard image. Each kind of flow is a small object
// of its own that reserves its number in the store, puts its files in place
// and ends in the common tail (MaterialRegistration); a flow that stops early
// removes the files it stored and leaves its number unused. This object
// builds the flows over one set of ports and hands each entry point on.
// One job at a time: every flow holds the job gate while it runs (a dropped
// PDF until its registration ends), and a flow asked for while any job runs
// is refused.

#include <chrono>
#include <filesystem>
#include <string_view>
#include <vector>

#include "capture/CaptureState.h"
#include "capture/ClipboardImageFlow.h"
#include "capture/FileDropFlow.h"
#include "capture/InsertionPoint.h"
#include "capture/LinkDropFlow.h"
#include "capture/PageImageFlow.h"
#include "capture/PdfDropFlow.h"
#include "capture/RegistrationJob.h"
#include "capture/RegistrationPorts.h"
#include "capture/ShownPageCapture.h"
#include "capture/VisiblePdfFlow.h"
#include "capture/WholePageFlow.h"
#include "commands/CommandTable.h"

namespace plume::capture {

class RegistrationFlows {
 public:
  /// Command ids of the chart view's "add a node here" menu.
  static constexpr int kCmdWholePage = commands::Id(commands::CommandId::ID_NEW_NODE_HTML_PDF);
  static constexpr int kCmdVisiblePdf = commands::Id(commands::CommandId::ID_NEW_NODE_VISIBLE_PDF);
  static constexpr int kCmdWholeImage = commands::Id(commands::CommandId::ID_NEW_NODE_HTML_IMAGE);
  static constexpr int kCmdVisibleImage = commands::Id(commands::CommandId::ID_NEW_NODE_VISIBLE_IMAGE);
  static constexpr int kCmdClipboardImage = commands::Id(commands::CommandId::ID_NEW_NODE_CLIP_IMAGE);
  /// The drop timer's period and the longest wait for a dropped PDF's text.
  static constexpr std::chrono::milliseconds kDropTick = PdfDropFlow::kTick;
  static constexpr std::chrono::milliseconds kDropWait = PdfDropFlow::kWait;

  /// A dropped PDF still waiting for its text when this goes is cancelled (its files removed).
  explicit RegistrationFlows(RegistrationPorts ports);
  RegistrationFlows(const RegistrationFlows&) = delete;
  RegistrationFlows& operator=(const RegistrationFlows&) = delete;

  /// Runs one of the five commands at `at`; false when nothing was registered.
  bool RunCommand(int command, InsertionPoint at);
  /// Whether `command` is one of the five.
  static bool IsRegistrationCommand(int command);

  /// Files dropped from a file manager (native paths). An image registers at
  /// once; a PDF is shown in the HTML area and registers once its text has
  /// arrived (DropTimerTick); true when a registration was made or started.
  bool DropFiles(const std::vector<std::filesystem::path>& files, InsertionPoint at) {
    return fileDrop_.Drop(files, at);
  }
  /// One tick of the drop timer; true when it finished a dropped PDF's registration.
  bool DropTimerTick() { return pdfDrop_.Tick(); }
  /// Whether a dropped PDF waits for its text.
  bool DropPending() const { return pdfDrop_.Pending(); }
  /// Cancels a dropped PDF's wait: the files it stored go, no node is made,
  /// its number stays a gap and the HTML area goes back. Nothing without one.
  void CancelDrop() { pdfDrop_.Cancel(); }
  /// Asks the running capture to stop at its next band (closing the window).
  void CancelCapture() { job_.Cancel(); }
  /// Whether one of the flows holds the job gate now.
  bool Running() const { return job_.Held() || pdfDrop_.Pending(); }

  /// A link dropped on the chart view (CP932 text): its type by DetectUrlType
  /// (30022 when it has none), decoded when it holds "%", then RegisterDroppedUrl.
  bool DropLink(std::string_view linkText, InsertionPoint at) { return linkDrop_.Drop(linkText, at); }
  /// Downloads `downloadUrl` (or `url` when empty) and registers it with
  /// `url` as its source address.
  bool RegisterDroppedUrl(std::string_view url, std::string_view typeWord, InsertionPoint at,
                          std::string_view downloadUrl = {}) {
    return linkDrop_.Register(url, typeWord, at, downloadUrl);
  }

  /// Writes `text` (CP932) with CR LF line ends; messages 30024/30026.
  static bool WriteTextFile(const std::filesystem::path& path, std::string_view text);

  const CaptureState& State() const { return state_; }

 private:
  RegistrationPorts ports_;
  RegistrationJob job_;
  CaptureState state_;
  ShownPageCapture capture_;
  WholePageFlow wholePage_;
  VisiblePdfFlow visiblePdf_;
  PageImageFlow pageImage_;
  ClipboardImageFlow clipboardImage_;
  PdfDropFlow pdfDrop_;
  FileDropFlow fileDrop_;
  LinkDropFlow linkDrop_;
};

}  // namespace plume::capture
