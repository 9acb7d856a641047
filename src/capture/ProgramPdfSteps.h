#pragma once
// The PDF steps of a capture done by the program's own writers and the PDF
// helper library.

#include "capture/PdfStepsPort.h"

namespace plume::capture {

class ProgramPdfSteps : public PdfStepsPort {
 public:
  bool JpegToPdf(const std::filesystem::path& pdf, const std::filesystem::path& jpeg) override;
  bool TextToPdf(const std::filesystem::path& text, const std::filesystem::path& pdf,
                 std::uint16_t pageWidth) override;
  bool Join(const std::filesystem::path& pdf1, const std::filesystem::path& pdf2,
            const std::filesystem::path& out) override;
  bool AddInfo(const std::filesystem::path& src, const std::filesystem::path& dst,
               const convert::PdfInfoSource& info) override;
};

}  // namespace plume::capture
