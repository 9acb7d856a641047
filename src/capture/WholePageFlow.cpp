#include "capture/WholePageFlow.h"

#include <filesystem>
#include <string_view>

#include "capture/DownloadPort.h"
#include "capture/HtmlAreaPort.h"
#include "capture/RegistrationHost.h"
#include "capture/RelatedText.h"
#include "platform/Messages.h"
#include "store/index/CapturedCheck.h"

namespace plume::capture {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kImageTypes[] = {"JPEG", "GIF", "BMP", "PNG", "TIFF"};

bool IsImageType(std::string_view type) {
  for (std::string_view t : kImageTypes) {
    if (t == type) return true;
  }
  return false;
}

}  // namespace

WholePageFlow::WholePageFlow(const RegistrationPorts& ports, RegistrationJob& job, ShownPageCapture& capture)
    : ports_(ports), job_(job), capture_(capture) {}

bool WholePageFlow::Run(InsertionPoint at) {
  if (!ports_.host.EnsureSaved()) return false;
  RelatedText(ports_).Reset();
  std::string pageType = ports_.html.PageType();
  if (pageType.empty()) {
    const auto answer = platform::ShowMessage(platform::StringId::UnknownHtmlTypeAsk, {}, platform::MsgIcon::Question,
                                              platform::MsgButtons::YesNo);
    if (answer != platform::MsgResult::Yes) return false;
    pageType = "HTML";
  }
  if (pageType != "HTML" && pageType != "PDF" && !IsImageType(pageType)) return false;
  if (ports_.captured && !ports_.captured->ProceedWithAddress(ports_.html.PageAddress())) return false;
  if (!job_.Begin("capture")) return false;
  auto r = MaterialRegistration::Reserve(ports_);
  if (!r) return false;
  MaterialRecord record(at);
  const bool stored = pageType == "HTML" ? StoreCapture(*r, record) : StoreShownFile(*r, pageType, record);
  if (!stored) return r->Fail();
  return r->Register(std::move(record));
}

bool WholePageFlow::StoreShownFile(MaterialRegistration& r, const std::string& type, MaterialRecord& record) {
  if (type == "PDF") {
    // The HTML area has put the shown PDF's text into the text area.
    const fs::path text = RelatedText(ports_).FromTextArea();
    if (!text.empty() && !r.Store(store::kTextType, text)) return false;
  }
  // A node without its file would name a material that is not there: a failed download stops.
  const fs::path file = ports_.downloads.DownloadToWork(ports_.html.PageAddress(), type);
  return !file.empty() && r.StoreMaterial(type, file, record);
}

bool WholePageFlow::StoreCapture(MaterialRegistration& r, MaterialRecord& record) {
  if (!capture_.BuildPdf(true)) return false;
  const CaptureState& state = capture_.State();
  if (!state.textPath.empty()) r.Store(store::kTextType, state.textPath);  // the PDF holds the text too
  return r.StoreMaterial("PDF", state.pdfPath, record);
}

}  // namespace plume::capture
