#pragma once
// The text-to-PDF writer: a CP932 text file becomes PDF pages of a given
// width and A4 height (842 points), 65 lines a page, in the Japanese CID font
// "HeiseiKakuGo-W5" with the CMap "90ms-RKSJ-H" that PDF readers supply (no
// font is embedded). The output is fully determined by the text bytes and the
// page width.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace plume::convert {

class PdfOutput;

class CTxt2Pdf {
 public:
  /// Page layout, fixed except for the width.
  static constexpr std::uint16_t kPageHeight = 842;
  static constexpr std::uint8_t kMarginX = 30;
  static constexpr std::uint8_t kMarginY = 30;
  static constexpr std::uint8_t kFontSize = 12;  ///< also the line spacing
  /// The narrowest page that leaves a usable width (twice the margin plus one point).
  static constexpr std::uint16_t kMinPageWidth = 2 * kMarginX + 1;

  /// Writes the text file `textPath` as the PDF `pdfPath` (created or
  /// truncated) with pages `pageWidth` points wide. On failure shows a
  /// message (30013 with a tag line, or 30330 for a page too narrow, then
  /// nothing is written) and returns false; a partly written PDF may remain.
  bool Convert(const std::filesystem::path& textPath, const std::filesystem::path& pdfPath,
               std::uint16_t pageWidth);

  /// Lines on one page for `lineCount` lines: 65 at most.
  static int LinesPerPage(std::size_t lineCount);
  /// The content stream of one page holding `lines` (CP932 bytes each).
  static std::string TextObject(const std::vector<std::string>& lines);

 private:
  void WritePages(PdfOutput& out, const std::vector<std::string>& lines, std::vector<int>& pageObjects) const;

  std::uint16_t pageWidth_ = 0;
};

}  // namespace plume::convert
