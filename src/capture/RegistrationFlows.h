#pragma once
// Every way a material enters the store: the five capture commands of the
// chart view's menu, dropped files (with the wait for a dropped PDF's text),
// dropped links and the clipboard image. Each flow reserves its number in the
// store, puts its files in place and ends in RegisterMaterial; a flow that
// stops early removes the files it stored and leaves its number unused.
// One job at a time: every flow holds the job gate while it runs (a dropped
// PDF until its registration ends), and a flow asked for while any job runs
// is refused.

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/CommandTable.h"
#include "document/NodePicturePort.h"
#include "capture/PageCapturePort.h"
#include "document/JobGate.h"
#include "platform/SettingsStore.h"
#include "store/StorePaths.h"

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

/// Where a new node goes: a point on the current page, in page units, taken
/// when the command was given or the drop made (the zoom of that moment).
struct InsertionPoint {
  int x = 0;
  int y = 0;
};

/// The capture state: temporary files of the registration in progress.
struct CaptureState {
  std::filesystem::path textPath;   ///< related text, or empty
  std::filesystem::path pdfPath;    ///< finished PDF of a PDF capture, or empty
  std::filesystem::path imagePath;  ///< captured or pasted image, or empty
};

class RegistrationFlows {
 public:
  /// Command ids of the chart view's "add a node here" menu.
  static constexpr int kCmdWholePage = commands::Id(commands::CommandId::ID_NEW_NODE_HTML_PDF);
  static constexpr int kCmdVisiblePdf = commands::Id(commands::CommandId::ID_NEW_NODE_VISIBLE_PDF);
  static constexpr int kCmdWholeImage = commands::Id(commands::CommandId::ID_NEW_NODE_HTML_IMAGE);
  static constexpr int kCmdVisibleImage = commands::Id(commands::CommandId::ID_NEW_NODE_VISIBLE_IMAGE);
  static constexpr int kCmdClipboardImage = commands::Id(commands::CommandId::ID_NEW_NODE_CLIP_IMAGE);
  /// The drop timer's period and the longest wait for a dropped PDF's text.
  static constexpr std::chrono::milliseconds kDropTick{250};
  static constexpr std::chrono::milliseconds kDropWait{21000};

  explicit RegistrationFlows(RegistrationPorts ports);
  /// A dropped PDF still waiting for its text is cancelled (its files removed).
  ~RegistrationFlows();
  RegistrationFlows(const RegistrationFlows&) = delete;
  RegistrationFlows& operator=(const RegistrationFlows&) = delete;

  /// Runs one of the five commands at `at`; false when nothing was registered.
  bool RunCommand(int command, InsertionPoint at);
  /// Whether `command` is one of the five.
  static bool IsRegistrationCommand(int command);
  /// The page-type gate of the visible-part and image commands: "HTML" or empty.
  static bool IsCapturablePage(std::string_view pageType);

  /// Files dropped from a file manager (native paths). An image registers at
  /// once; a PDF is shown in the HTML area and registers once its text has
  /// arrived (DropTimerTick); true when a registration was made or started.
  bool DropFiles(const std::vector<std::filesystem::path>& files, InsertionPoint at);
  /// One tick of the drop timer; true when it finished a dropped PDF's registration.
  bool DropTimerTick();
  /// Whether a dropped PDF waits for its text.
  bool DropPending() const { return pending_.has_value(); }
  /// Cancels a dropped PDF's wait: the files it stored go, no node is made,
  /// its number stays a gap and the HTML area goes back. Nothing without one.
  void CancelDrop();
  /// Asks the running capture to stop at its next band (closing the window).
  void CancelCapture() { cancelRequested_ = true; }
  /// Whether one of the flows holds the job gate now.
  bool Running() const { return static_cast<bool>(ticket_) || pending_.has_value(); }

  /// A link dropped on the chart view (CP932 text): its type by DetectUrlType
  /// (30022 when it has none), decoded when it holds "%", then RegisterDroppedUrl.
  bool DropLink(std::string_view linkText, InsertionPoint at);
  /// Downloads `downloadUrl` (or `url` when empty) and registers it with
  /// `url` as its source address.
  bool RegisterDroppedUrl(std::string_view url, std::string_view typeWord, InsertionPoint at,
                          std::string_view downloadUrl = {});

  /// The capture into W/tmp.jpg and on to W/tmp4.pdf (with the text area's
  /// text as pages behind the image page); fills the capture state.
  bool BuildCapturePdf(bool whole);
  /// The capture into W/tmp.jpg with the text area's text in W/tmp.txt.
  bool BuildCaptureImage(bool whole);
  /// Removes W/tmp.txt; false when the work folder or the removal fails.
  bool ResetCaptureText();
  /// Writes `text` (CP932) with CR LF line ends; messages 30024/30026.
  static bool WriteTextFile(const std::filesystem::path& path, std::string_view text);

  const CaptureState& State() const { return state_; }

 private:
  struct Registration {
    store::Serial serial = 0;
    std::string serialText;
    std::vector<std::filesystem::path> written;  ///< files this registration put into the store
  };
  /// What the common tail records.
  struct Record {
    std::string ext;
    int width = 0;
    int height = 0;
    std::string size = "0";
    std::string sha256;
    std::string getFrom;  ///< empty: the address of the page on show
    std::string nodeType;
    std::string title;    ///< empty: the page title
    std::optional<document::NodePicture> picture;
    InsertionPoint at;
  };
  struct PendingPdf {
    Registration registration;
    std::filesystem::path file;
    std::filesystem::path document;  ///< the document it was dropped on
    InsertionPoint at;
    std::chrono::milliseconds waited{0};
    document::JobGate::Ticket ticket;  ///< held until the registration ends
  };

  bool WholePage(InsertionPoint at);
  bool VisiblePartPdf(InsertionPoint at);
  bool CaptureImage(bool whole, InsertionPoint at);
  bool ClipboardImage(InsertionPoint at);
  bool DropImageFile(const std::filesystem::path& file, const std::string& type, InsertionPoint at);
  bool FinishDroppedPdf();
  bool RegisterDownload(std::string_view url, std::string_view typeWord, InsertionPoint at,
                        std::string_view downloadUrl);

  /// Whether no job runs; shows 30620 otherwise.
  bool GateOpen();
  /// Takes the gate for `what` after the saving questions; false when taken meanwhile.
  bool Begin(const char* what);
  /// Lets go of the gate a flow took (its progress dialog goes too).
  void EndJob();
  /// The progress the capture reports: the window's dialog, or a cancel.
  CaptureProgress Progress();
  /// The common start's number; nullopt after a message.
  std::optional<Registration> Reserve();
  /// What a capture of the page on show does before it draws: the page is one
  /// it can capture, before and after the save question (30037 when it moved
  /// on meanwhile and `sayWhenMoved`), the area is on screen when `needsArea`,
  /// the "already captured" question, the job gate; then a serial reserved.
  std::optional<Registration> BeginPageCapture(bool needsArea, bool sayWhenMoved);
  bool Store(Registration& r, std::string_view typeWord, const std::filesystem::path& source);
  /// Removes the files a stopped registration wrote; its number stays unused.
  void Abandon(Registration& r);
  /// Size and SHA-256 of a stored file into `record`.
  static void DescribeFile(Record& record, const std::filesystem::path& file);
  /// Size, SHA-256 and picture of an image file into `record`; false when the picture fails.
  bool DescribeImage(Record& record, const std::filesystem::path& file, std::string_view typeWord);
  /// The related text of the text area in W/tmp.txt, or empty.
  std::filesystem::path TextAreaToFile();
  /// The common tail: information file, node, repaint and modified, counter.
  bool RegisterMaterial(Registration& r, Record record);

  RegistrationPorts ports_;
  std::unique_ptr<document::JobGate> ownJobs_;
  document::JobGate* jobs_ = nullptr;
  document::JobGate::Ticket ticket_;  ///< held while a flow runs
  bool cancelRequested_ = false;
  CaptureState state_;
  std::optional<PendingPdf> pending_;
};

}  // namespace plume::capture
