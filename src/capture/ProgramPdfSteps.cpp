#include <algorithm>

#include "convert/CJpg2Pdf.h"
#include "convert/CTxt2Pdf.h"
#include "capture/ProgramPdfSteps.h"

namespace plume::capture {

bool ProgramPdfSteps::JpegToPdf(const std::filesystem::path& pdf, const std::filesystem::path& jpeg) {
  convert::CJpg2Pdf writer;
  writer.SetSuccessLine(false);
  return writer.Convert(pdf, jpeg);
}

bool ProgramPdfSteps::TextToPdf(const std::filesystem::path& text, const std::filesystem::path& pdf,
                                std::uint16_t pageWidth) {
  return convert::CTxt2Pdf().Convert(text, pdf, pageWidth);
}

bool ProgramPdfSteps::Join(const std::filesystem::path& pdf1, const std::filesystem::path& pdf2,
                           const std::filesystem::path& out) {
  return convert::JoinPdfFiles(pdf1, pdf2, out);
}

bool ProgramPdfSteps::AddInfo(const std::filesystem::path& src, const std::filesystem::path& dst,
                              const convert::PdfInfoSource& info) {
  return convert::AddPdfInfo(src, dst, info);
}

}  // namespace plume::capture
