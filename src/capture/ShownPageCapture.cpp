#include "capture/ShownPageCapture.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "capture/HtmlAreaPort.h"
#include "capture/PdfStepsPort.h"
#include "capture/RegistrationHost.h"
#include "capture/RelatedText.h"
#include "capture/TextAreaPort.h"
#include "platform/Messages.h"
#include "store/index/CapturedCheck.h"

namespace plume::capture {

namespace fs = std::filesystem;

ShownPageCapture::ShownPageCapture(const RegistrationPorts& ports, RegistrationJob& job, CaptureState& state)
    : ports_(ports), job_(job), state_(state) {}

bool ShownPageCapture::IsCapturablePage(std::string_view pageType) { return pageType.empty() || pageType == "HTML"; }

std::optional<MaterialRegistration> ShownPageCapture::Begin(bool needsArea, bool sayWhenMoved) {
  if (!IsCapturablePage(ports_.html.PageType())) return std::nullopt;
  if (!ports_.host.EnsureSaved()) return std::nullopt;
  // EnsureSaved may have shown dialogs while the HTML area moved on.
  if (!IsCapturablePage(ports_.html.PageType())) {
    if (sayWhenMoved) platform::ShowMessage(platform::StringId::PageCannotBeProcessed);
    return std::nullopt;
  }
  if (needsArea && !ports_.html.AreaShown()) {
    platform::ShowMessage(platform::StringId::HtmlAreaHidden, {}, platform::MsgIcon::Information);
    return std::nullopt;
  }
  if (ports_.captured && !ports_.captured->ProceedWithAddress(ports_.html.PageAddress())) return std::nullopt;
  if (!job_.Begin("capture")) return std::nullopt;
  return MaterialRegistration::Reserve(ports_);
}

bool ShownPageCapture::BuildPdf(bool whole) {
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
  const auto width = ports_.capture.CapturePage(whole, jpg, job_.Progress());
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
  if (!RelatedText::Write(state_.textPath, text) || !ports_.pdf.TextToPdf(state_.textPath, pdf2, pageWidth) ||
      !ports_.pdf.Join(pdf1, pdf2, pdf3) || !ports_.pdf.AddInfo(pdf3, state_.pdfPath, info)) {
    return fail();
  }
  return true;
}

bool ShownPageCapture::BuildImage(bool whole) {
  const fs::path work = ports_.workFolder();
  if (work.empty()) return false;
  state_.imagePath = work / "tmp.jpg";
  state_.textPath = work / "tmp.txt";
  if (!ports_.capture.CapturePage(whole, state_.imagePath, job_.Progress())) {
    state_.imagePath.clear();
    state_.textPath.clear();
    return false;
  }
  const std::string text = ports_.text.WholeText();
  if (text.empty() || !RelatedText::Write(state_.textPath, text)) state_.textPath.clear();
  return true;
}

}  // namespace plume::capture
