#include "capture/RegistrationFlows.h"

#include <algorithm>
#include <ctime>
#include <fstream>
#include <system_error>

#include "capture/ClipboardImagePort.h"
#include "convert/DetectType.h"
#include "capture/DownloadPort.h"
#include "capture/HtmlAreaPort.h"
#include "capture/PageCapturePort.h"
#include "capture/PdfStepsPort.h"
#include "capture/RegistrationHost.h"
#include "capture/TextAreaPort.h"
#include "capture/UrlRules.h"
#include "platform/WorkFolder.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"
#include "platform/SettingsTable.h"
#include "store/InfoFile.h"
#include "store/MaterialStore.h"
#include "store/Sha256.h"
#include "store/index/CapturedCheck.h"

namespace plume::capture {

namespace fs = std::filesystem;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using platform::ShowMessage;
using platform::StringId;

namespace {

constexpr std::string_view kImageTypes[] = {"JPEG", "GIF", "BMP", "PNG", "TIFF"};

bool IsImageType(std::string_view type) {
  for (std::string_view t : kImageTypes) {
    if (t == type) return true;
  }
  return false;
}

std::string NowText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y.%m.%d %H:%M", &local);
  return text;
}

std::string FileSizeText(const fs::path& file) {
  std::error_code ec;
  const auto size = fs::file_size(file, ec);
  return ec ? std::string("0") : std::to_string(size);
}

/// A native file name as CP932 text.
std::string FileNameText(const fs::path& file) { return platform::Utf8ToCp932(file.filename().string()); }

/// The file: address of a local file as CP932 text.
std::string FileAddressText(const fs::path& file) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(file, ec);
  return "file://" + platform::Utf8ToCp932((ec ? file : absolute).generic_string());
}

/// The display size of a picture shrunk, keeping its shape, to fit a page of
/// `pageWidth` x `pageHeight`: the node then stays where it was asked to go.
void FitDisplayInto(document::NodePicture& picture, int pageWidth, int pageHeight) {
  const int w = picture.displayWidth;
  const int h = picture.displayHeight;
  if (w <= 0 || h <= 0 || pageWidth <= 0 || pageHeight <= 0 || (w <= pageWidth && h <= pageHeight)) return;
  const double scale = std::min(static_cast<double>(pageWidth) / w, static_cast<double>(pageHeight) / h);
  picture.displayWidth = std::max(1, static_cast<int>(w * scale));
  picture.displayHeight = std::max(1, static_cast<int>(h * scale));
}

}  // namespace

RegistrationFlows::RegistrationFlows(RegistrationPorts ports) : ports_(std::move(ports)) {
  if (!ports_.workFolder) ports_.workFolder = [] { return platform::GetScratchFolder(); };
  if (ports_.jobs == nullptr) ownJobs_ = std::make_unique<document::JobGate>();
  jobs_ = ports_.jobs != nullptr ? ports_.jobs : ownJobs_.get();
}

RegistrationFlows::~RegistrationFlows() {
  // The window is going: a PDF that never got its information file leaves the store.
  if (pending_) Abandon(pending_->registration);
}

bool RegistrationFlows::GateOpen() {
  if (!jobs_->Busy()) return true;
  ShowMessage(StringId::JobRunning, {}, MsgIcon::Information);
  return false;
}

bool RegistrationFlows::Begin(const char* what) {
  cancelRequested_ = false;
  ticket_ = jobs_->TryBegin(what);
  if (ticket_) return true;
  ShowMessage(StringId::JobRunning, {}, MsgIcon::Information);
  return false;
}

void RegistrationFlows::EndJob() {
  if (!ticket_) return;
  ports_.host.CaptureEnded();
  ticket_.Release();
  cancelRequested_ = false;
}

CaptureProgress RegistrationFlows::Progress() {
  return [this](int done, int total) {
    if (!cancelRequested_ && !ports_.host.CaptureProgress(done, total)) cancelRequested_ = true;
    return !cancelRequested_;
  };
}

bool RegistrationFlows::IsRegistrationCommand(int command) {
  return command == kCmdWholePage || command == kCmdVisiblePdf || command == kCmdWholeImage ||
         command == kCmdVisibleImage || command == kCmdClipboardImage;
}

bool RegistrationFlows::IsCapturablePage(std::string_view pageType) { return pageType.empty() || pageType == "HTML"; }

bool RegistrationFlows::RunCommand(int command, InsertionPoint at) {
  if (!IsRegistrationCommand(command) || !GateOpen()) return false;
  bool done = false;
  switch (command) {
    case kCmdWholePage:
      done = WholePage(at);
      break;
    case kCmdVisiblePdf:
      done = VisiblePartPdf(at);
      break;
    case kCmdWholeImage:
      done = CaptureImage(true, at);
      break;
    case kCmdVisibleImage:
      done = CaptureImage(false, at);
      break;
    default:
      done = ClipboardImage(at);
      break;
  }
  EndJob();
  return done;
}

// ---- temporary files -------------------------------------------------------

bool RegistrationFlows::WriteTextFile(const fs::path& path, std::string_view text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    ShowMessage(StringId::FileOpenFailed);
    return false;
  }
  std::string crlf;
  crlf.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    // A line feed becomes CR LF; one that already follows a CR stays single.
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) crlf += '\r';
    crlf += text[i];
  }
  out.write(crlf.data(), static_cast<std::streamsize>(crlf.size()));
  out.close();
  if (!out) {
    ShowMessage(StringId::FileOpenFailed);
    return false;
  }
  return true;
}

bool RegistrationFlows::ResetCaptureText() {
  const fs::path work = ports_.workFolder();
  if (work.empty()) return false;
  std::error_code ec;
  fs::remove(work / "tmp.txt", ec);
  return !ec;
}

fs::path RegistrationFlows::TextAreaToFile() {
  const std::string text = ports_.text.WholeText();
  if (text.empty()) return {};
  const fs::path work = ports_.workFolder();
  if (work.empty()) return {};
  const fs::path path = work / "tmp.txt";
  return WriteTextFile(path, text) ? path : fs::path();
}

bool RegistrationFlows::BuildCapturePdf(bool whole) {
  const fs::path work = ports_.workFolder();
  if (work.empty()) return false;
  const fs::path jpg = work / "tmp.jpg";
  const fs::path pdf1 = work / "tmp1.pdf";
  const fs::path pdf2 = work / "tmp2.pdf";
  const fs::path pdf3 = work / "tmp3.pdf";
  state_.textPath = work / "tmp.txt";
  state_.pdfPath = work / "tmp4.pdf";
  const auto fail = [this] {
    state_.textPath.clear();
    state_.pdfPath.clear();
    return false;
  };
  const auto width = ports_.capture.CapturePage(whole, jpg, Progress());
  if (!width) return fail();
  if (!ports_.pdf.JpegToPdf(pdf1, jpg)) return fail();
  const convert::PdfInfoSource info{ports_.html.PageTitle(), ports_.html.PageAddress(), std::nullopt};
  const std::string text = ports_.text.WholeText();
  if (text.empty()) {
    state_.textPath.clear();
    return ports_.pdf.AddInfo(pdf1, state_.pdfPath, info) || fail();
  }
  // The text pages are as wide as the image page (one point a pixel).
  const auto pageWidth = static_cast<std::uint16_t>(std::clamp(*width, 0, 65535));
  if (!WriteTextFile(state_.textPath, text) || !ports_.pdf.TextToPdf(state_.textPath, pdf2, pageWidth) ||
      !ports_.pdf.Join(pdf1, pdf2, pdf3) || !ports_.pdf.AddInfo(pdf3, state_.pdfPath, info)) {
    return fail();
  }
  return true;
}

bool RegistrationFlows::BuildCaptureImage(bool whole) {
  const fs::path work = ports_.workFolder();
  if (work.empty()) return false;
  state_.imagePath = work / "tmp.jpg";
  state_.textPath = work / "tmp.txt";
  if (!ports_.capture.CapturePage(whole, state_.imagePath, Progress())) {
    state_.imagePath.clear();
    state_.textPath.clear();
    return false;
  }
  const std::string text = ports_.text.WholeText();
  if (text.empty() || !WriteTextFile(state_.textPath, text)) state_.textPath.clear();
  return true;
}

// ---- start and tail ----------------------------------------------------------

std::optional<RegistrationFlows::Registration> RegistrationFlows::Reserve() {
  const auto serial = ports_.store.ReserveSerial();
  if (!serial) return std::nullopt;
  return Registration{*serial, store::FormatSerial(*serial), {}};
}

bool RegistrationFlows::Store(Registration& r, std::string_view typeWord, const fs::path& source) {
  if (!ports_.store.StoreMaterialFile(typeWord, source, r.serialText)) return false;
  if (const auto location = ports_.store.MaterialLocation(typeWord, r.serial)) r.written.push_back(location->File());
  return true;
}

void RegistrationFlows::Abandon(Registration& r) {
  std::error_code ec;
  for (const fs::path& file : r.written) fs::remove(file, ec);
  r.written.clear();
}

void RegistrationFlows::DescribeFile(Record& record, const fs::path& file) {
  record.size = FileSizeText(file);
  record.sha256 = store::FileSha256(file);
}

bool RegistrationFlows::DescribeImage(Record& record, const fs::path& file, std::string_view typeWord) {
  DescribeFile(record, file);
  record.picture = ports_.pictures.LoadNodePicture(file, typeWord, true);
  if (!record.picture) return false;
  record.width = record.picture->pixelWidth;
  record.height = record.picture->pixelHeight;
  return true;
}

bool RegistrationFlows::RegisterMaterial(Registration& r, Record record) {
  store::MaterialInfo info;
  info.ext = record.ext;
  info.width = std::to_string(record.width);
  info.height = std::to_string(record.height);
  info.size = record.size;
  info.sha256 = record.sha256;
  // A flow that names its material (a dropped file, a link) records that name.
  info.title = record.title.empty() ? ports_.html.PageTitle() : record.title;
  info.getFrom = record.getFrom.empty() ? ports_.html.PageAddress() : record.getFrom;
  info.createDate = NowText();
  store::InfoFile infoFile(ports_.store);
  if (!infoFile.WriteInfo(r.serialText, info, ports_.host.DocumentPath())) {
    Abandon(r);
    return false;
  }
  if (const auto root = ports_.store.Root()) {
    r.written.push_back(store::MaterialStore::InfoFileIn(*root, r.serialText));
  }

  document::NodeRequest node;
  node.dataType = record.nodeType;
  node.serial = static_cast<std::int32_t>(r.serial);
  node.title = record.title.empty() ? ports_.html.PageTitle() : record.title;
  if (record.picture) {
    const document::PageRecord& page = ports_.host.Chart().CurrentPage();
    FitDisplayInto(*record.picture, page.pageWidth, page.pageHeight);
    node.hasImage = true;
    node.picture = std::move(record.picture->picture);
    node.pictureWidth = record.picture->displayWidth;
    node.pictureHeight = record.picture->displayHeight;
    node.transColor = record.picture->transColor;
  }
  node.x = record.at.x;
  node.y = record.at.y;
  if (!ports_.host.Chart().AddNode(std::move(node))) {
    Abandon(r);
    return false;
  }
  ports_.host.NodeAdded();
  ports_.store.CommitSerial(r.serial);
  return true;
}

// ---- the five commands -------------------------------------------------------

std::optional<RegistrationFlows::Registration> RegistrationFlows::BeginPageCapture(bool needsArea,
                                                                                   bool sayWhenMoved) {
  if (!IsCapturablePage(ports_.html.PageType())) return std::nullopt;
  if (!ports_.host.EnsureSaved()) return std::nullopt;
  // EnsureSaved may have shown dialogs while the HTML area moved on.
  if (!IsCapturablePage(ports_.html.PageType())) {
    if (sayWhenMoved) ShowMessage(StringId::PageCannotBeProcessed);
    return std::nullopt;
  }
  if (needsArea && !ports_.html.AreaShown()) {
    ShowMessage(StringId::HtmlAreaHidden, {}, MsgIcon::Information);
    return std::nullopt;
  }
  if (ports_.captured && !ports_.captured->ProceedWithAddress(ports_.html.PageAddress())) return std::nullopt;
  if (!Begin("capture")) return std::nullopt;
  return Reserve();
}

bool RegistrationFlows::VisiblePartPdf(InsertionPoint at) {
  auto r = BeginPageCapture(true, true);
  if (!r) return false;
  if (!BuildCapturePdf(false) || (!state_.textPath.empty() && !Store(*r, store::kTextType, state_.textPath)) ||
      !Store(*r, "PDF", state_.pdfPath)) {
    Abandon(*r);
    return false;
  }
  Record record;
  record.ext = "PDF";  // the type of the file stored, which the search lists
  DescribeFile(record, state_.pdfPath);
  record.nodeType = "PDF";
  record.at = at;
  return RegisterMaterial(*r, std::move(record));
}

bool RegistrationFlows::WholePage(InsertionPoint at) {
  if (!ports_.host.EnsureSaved()) return false;
  ResetCaptureText();
  std::string pageType = ports_.html.PageType();
  if (pageType.empty()) {
    if (ShowMessage(StringId::UnknownHtmlTypeAsk, {}, MsgIcon::Question, MsgButtons::YesNo) != MsgResult::Yes) {
      return false;
    }
    pageType = "HTML";
  }
  if (pageType != "HTML" && pageType != "PDF" && !IsImageType(pageType)) return false;
  if (ports_.captured && !ports_.captured->ProceedWithAddress(ports_.html.PageAddress())) return false;
  if (!Begin("capture")) return false;
  auto r = Reserve();
  if (!r) return false;
  Record record;
  record.at = at;
  if (pageType == "PDF") {
    // The HTML area has put the shown PDF's text into the text area.
    const fs::path text = TextAreaToFile();
    if (!text.empty() && !Store(*r, store::kTextType, text)) {
      Abandon(*r);
      return false;
    }
    // A node without its PDF would name a material that is not there: a failed download stops.
    const fs::path file = ports_.downloads.DownloadToWork(ports_.html.PageAddress(), "PDF");
    if (file.empty() || !Store(*r, "PDF", file)) {
      Abandon(*r);
      return false;
    }
    DescribeFile(record, file);
    record.ext = "PDF";
    record.nodeType = "PDF";
  } else if (pageType != "HTML") {
    const fs::path file = ports_.downloads.DownloadToWork(ports_.html.PageAddress(), pageType);
    if (file.empty() || !Store(*r, pageType, file) || !DescribeImage(record, file, pageType)) {
      Abandon(*r);
      return false;
    }
    record.ext = pageType;
    record.nodeType = pageType;
  } else {
    if (!BuildCapturePdf(true)) {
      Abandon(*r);
      return false;
    }
    if (!state_.textPath.empty()) Store(*r, store::kTextType, state_.textPath);  // the PDF holds the text too
    if (!Store(*r, "PDF", state_.pdfPath)) {
      Abandon(*r);
      return false;
    }
    DescribeFile(record, state_.pdfPath);
    record.ext = "PDF";
    record.nodeType = "PDF";
  }
  return RegisterMaterial(*r, std::move(record));
}

bool RegistrationFlows::CaptureImage(bool whole, InsertionPoint at) {
  auto r = BeginPageCapture(!whole, false);
  if (!r) return false;
  Record record;
  if (!BuildCaptureImage(whole) || state_.imagePath.empty() || !Store(*r, "JPEG", state_.imagePath) ||
      !DescribeImage(record, state_.imagePath, "JPEG")) {
    Abandon(*r);
    return false;
  }
  if (!state_.textPath.empty()) Store(*r, store::kTextType, state_.textPath);
  record.ext = "JPEG";  // the type of the file stored, which the search lists
  record.nodeType = "JPEG";
  record.at = at;
  return RegisterMaterial(*r, std::move(record));
}

bool RegistrationFlows::ClipboardImage(InsertionPoint at) {
  if (!ports_.host.EnsureSaved()) return false;
  if (!Begin("clipboard image")) return false;
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
    ShowMessage(StringId::ImagePasteFailed, tag);
    return false;
  }
  if (ports_.captured && !ports_.captured->ProceedWithFile(state_.imagePath)) return false;
  auto r = Reserve();
  if (!r) return false;
  Record record;
  if (!Store(*r, type, state_.imagePath) || !DescribeImage(record, state_.imagePath, type)) {
    Abandon(*r);
    return false;
  }
  record.ext = type;
  record.nodeType = type;
  record.at = at;
  return RegisterMaterial(*r, std::move(record));
}

// ---- drops -------------------------------------------------------------------

bool RegistrationFlows::DropFiles(const std::vector<fs::path>& files, InsertionPoint at) {
  if (files.empty() || !GateOpen() || !ports_.host.EnsureSaved()) return false;
  ResetCaptureText();
  if (files.size() > 1) {
    ShowMessage(StringId::DropOneFileAtATime);
    return false;
  }
  const fs::path& file = files.front();
  const std::string type = convert::DetectType(file.string());
  if (type.empty() || type == "HTML") {
    ShowMessage(StringId::DropTypeUnknown, {}, MsgIcon::Information);
    return false;
  }
  if (!Begin("drop")) return false;
  if (type != "PDF") {
    const bool done = DropImageFile(file, type, at);
    EndJob();
    return done;
  }
  if (ports_.captured && !ports_.captured->ProceedWithFile(file)) {
    EndJob();
    return false;
  }
  auto r = Reserve();
  if (!r || !Store(*r, "PDF", file)) {
    if (r) Abandon(*r);
    EndJob();
    return false;
  }
  // The gate stays held until the PDF's text has arrived and it is registered.
  pending_ = PendingPdf{std::move(*r), file, ports_.host.DocumentPath(), at, {}, std::move(ticket_)};
  ports_.html.ShowFile(file);
  ports_.host.StartDropTimer(kDropTick);
  return true;
}

bool RegistrationFlows::DropImageFile(const fs::path& file, const std::string& type, InsertionPoint at) {
  if (ports_.captured && !ports_.captured->ProceedWithFile(file)) return false;
  auto r = Reserve();
  if (!r) return false;
  Record record;
  if (!Store(*r, type, file) || !DescribeImage(record, file, type)) {
    Abandon(*r);
    return false;
  }
  record.ext = type;
  record.nodeType = type;
  record.title = FileNameText(file);
  record.getFrom = FileAddressText(file);
  record.at = at;
  return RegisterMaterial(*r, std::move(record));
}

bool RegistrationFlows::DropTimerTick() {
  if (!pending_) {
    ports_.host.StopDropTimer();
    return false;
  }
  // The node belongs to the document the PDF was dropped on, never to another.
  if (ports_.host.DocumentPath() != pending_->document) {
    CancelDrop();
    return false;
  }
  if (!ports_.html.PdfTextTaken(pending_->file)) {
    pending_->waited += kDropTick;
    if (pending_->waited < kDropWait) return false;
  }
  return FinishDroppedPdf();
}

void RegistrationFlows::CancelDrop() {
  if (!pending_) return;
  ports_.host.StopDropTimer();
  PendingPdf pending = std::move(*pending_);
  pending_.reset();
  Abandon(pending.registration);
  ports_.html.GoBack();
}

bool RegistrationFlows::FinishDroppedPdf() {
  ports_.host.StopDropTimer();
  PendingPdf pending = std::move(*pending_);
  pending_.reset();
  bool done = false;
  const fs::path text = TextAreaToFile();
  if (text.empty() || Store(pending.registration, store::kTextType, text)) {
    Record record;
    record.ext = "PDF";
    DescribeFile(record, pending.file);
    record.nodeType = "PDF";
    record.title = FileNameText(pending.file);
    record.getFrom = FileAddressText(pending.file);
    record.at = pending.at;
    done = RegisterMaterial(pending.registration, std::move(record));
  } else {
    Abandon(pending.registration);
  }
  ports_.html.GoBack();
  return done;
}

bool RegistrationFlows::DropLink(std::string_view linkText, InsertionPoint at) {
  if (!GateOpen()) return false;
  std::string url(linkText);
  const std::string type = DetectUrlType(url);
  if (type.empty()) {
    ShowMessage(StringId::DropTypeUnknown, {}, MsgIcon::Information);
    return false;
  }
  if (url.find('%') == std::string::npos) return RegisterDroppedUrl(url, type, at);
  // The decoded address is what the information file records; the file is
  // fetched from the address as it came, which any server understands.
  return RegisterDroppedUrl(DecodeUrlText(url), type, at, url);
}

bool RegistrationFlows::RegisterDroppedUrl(std::string_view url, std::string_view typeWord, InsertionPoint at,
                                           std::string_view downloadUrl) {
  if (!GateOpen() || !ports_.host.EnsureSaved() || !Begin("download")) return false;
  const bool done = RegisterDownload(url, typeWord, at, downloadUrl);
  EndJob();
  return done;
}

bool RegistrationFlows::RegisterDownload(std::string_view url, std::string_view typeWord, InsertionPoint at,
                                         std::string_view downloadUrl) {
  auto r = Reserve();
  if (!r) return false;
  const fs::path file = ports_.downloads.DownloadToWork(downloadUrl.empty() ? url : downloadUrl, typeWord);
  Record record;
  if (!file.empty() && ports_.captured && !ports_.captured->ProceedWithFile(file)) {
    Abandon(*r);
    return false;
  }
  if (file.empty() || !Store(*r, typeWord, file)) {
    Abandon(*r);
    return false;
  }
  if (typeWord == "PDF") {
    DescribeFile(record, file);
  } else if (!DescribeImage(record, file, typeWord)) {
    Abandon(*r);
    return false;
  }
  record.ext = std::string(typeWord);
  record.nodeType = std::string(typeWord);
  record.getFrom = url.empty() ? std::string(downloadUrl) : std::string(url);
  // The link's own file name is the node's title (the page title when it has none).
  const std::size_t slash = record.getFrom.find_last_of('/');
  if (slash != std::string::npos) record.title = record.getFrom.substr(slash + 1);
  record.at = at;
  return RegisterMaterial(*r, std::move(record));
}

}  // namespace plume::capture
