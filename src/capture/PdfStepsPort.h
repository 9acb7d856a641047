#pragma once
// The PDF steps of a page capture: image page, text pages, joining, document
// information. Each reports its own failure.

#include <cstdint>
#include <filesystem>

#include "convert/PdfHelper.h"

namespace plume::capture {

class PdfStepsPort {
 public:
  virtual ~PdfStepsPort() = default;
  virtual bool JpegToPdf(const std::filesystem::path& pdf, const std::filesystem::path& jpeg) = 0;
  virtual bool TextToPdf(const std::filesystem::path& text, const std::filesystem::path& pdf,
                         std::uint16_t pageWidth) = 0;
  virtual bool Join(const std::filesystem::path& pdf1, const std::filesystem::path& pdf2,
                    const std::filesystem::path& out) = 0;
  virtual bool AddInfo(const std::filesystem::path& src, const std::filesystem::path& dst,
                       const convert::PdfInfoSource& info) = 0;
};

}  // namespace plume::capture
