#pragma once
// The word-processor document of the Word export as an ODF text file (.odt)
// written with Qt's ODF writer: one paragraph per line, each page after the
// first starting on a new page.

#include <filesystem>

#include "convert/WordExport.h"

namespace plume::convert::ui {

/// Writes `content` to `path`; false when the file cannot be written.
bool WriteOdfDocument(const WordContent& content, const std::filesystem::path& path);

}  // namespace plume::convert::ui
