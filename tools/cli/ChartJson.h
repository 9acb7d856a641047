#pragma once
// The chart document as JSON for people and scripts: text in UTF-8, pictures
// as their file type and size.

#include <nlohmann/json.hpp>

#include "document/ChartDocument.h"

namespace plume::cli {

nlohmann::ordered_json ChartToJson(const document::ChartDocument& doc);

/// "JPEG", "PNG", "BMP", "GIF", "ICO", "TIFF" or "unknown", from an image file's first bytes.
const char* ImageFileType(const platform::Bytes& bytes);

}  // namespace plume::cli
