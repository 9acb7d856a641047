#pragma once
// The JPEG-to-PDF writer: one JPEG file becomes a one-page PDF whose page is
// the image's size, one point a pixel. The JPEG bytes are copied unchanged
// into a DCT-encoded image stream, so the output is fully determined by the
// JPEG file and two runs give identical files.

#include <filesystem>

namespace plume::convert {

class CJpg2Pdf {
 public:
  /// Writes `pdfPath` (created or truncated) from the JPEG at `jpegPath`.
  /// On failure shows 30003 with a tag line naming the failed step and
  /// returns false: "[Stream Open]" (JPEG unreadable), "[Get Size]" (header
  /// refused), "[File Create]" (no output), "[Copy Stream]" (the copy of
  /// the JPEG failed), "[File Write]" (the output could not be written
  /// completely). The first three leave no output file.
  bool Convert(const std::filesystem::path& pdfPath, const std::filesystem::path& jpegPath);

  /// Whether a successful conversion prints "\nSuccess!\n" to standard output (default on).
  void SetSuccessLine(bool on) { successLine_ = on; }
  /// With `on`, the PDF is a scratch file: not forced to the disk.
  void SetScratchOutput(bool on) { scratchOutput_ = on; }

 private:
  bool successLine_ = true;
  bool scratchOutput_ = false;
};

}  // namespace plume::convert
