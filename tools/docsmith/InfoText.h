#pragma once
// Conversions of the information record's texts into PDF values.

#include <optional>
#include <string>
#include <string_view>

namespace plume::docsmith {

/// A PDF text string from CP932 bytes: printable ASCII stays as it is; any
/// other text becomes UTF-16BE behind the byte order mark FE FF, so every
/// reader shows Japanese text. Bytes that are not CP932 become U+FFFD.
std::string PdfTextString(std::string_view cp932);

/// "D:YYYYMMDDHHmmSS" with the local time zone's offset ("+09'00'", "Z" for
/// UTC) from a local time "%Y.%m.%d %H:%M:%S"; nullopt for any other text.
std::optional<std::string> PdfDate(std::string_view localTime);

}  // namespace plume::docsmith
