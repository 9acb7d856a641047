#pragma once
// The material type word of a file path or web address.

#include <string>
#include <string_view>

namespace plume::convert {

/// The type word of the last part of `pathOrAddress` (after the last "/", or
/// after the last "\" when there is no "/"): "PDF", "JPEG", "GIF", "BMP",
/// "PNG", "TIFF" by its extension, "HTML" for any other extension or none, and
/// empty when the text holds neither separator ("about:blank").
std::string DetectType(std::string_view pathOrAddress);

}  // namespace plume::convert
