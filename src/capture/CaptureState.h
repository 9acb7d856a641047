#pragma once
// The temporary files of the registration in progress.

#include <filesystem>

namespace plume::capture {

/// The capture state: temporary files of the registration in progress.
struct CaptureState {
  std::filesystem::path textPath;   ///< related text, or empty
  std::filesystem::path pdfPath;    ///< finished PDF of a PDF capture, or empty
  std::filesystem::path imagePath;  ///< captured or pasted image, or empty
};

}  // namespace plume::capture
