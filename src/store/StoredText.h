#pragma once
// Text as the store and the records keep it (code page 932 bytes, CR LF line
// breaks) and as a text pane shows it (UTF-8, "\n" line breaks).

#include <string>
#include <string_view>

namespace plume::store {

/// Pane text to stored bytes: every "\n" (or "\r\n") becomes CR LF; a
/// character without a CP932 form becomes "?".
std::string ToStoredText(std::string_view utf8Text);

/// Stored bytes to pane text: CR LF becomes "\n"; bytes that are not CP932
/// become U+FFFD.
std::string FromStoredText(std::string_view cp932Text);

}  // namespace plume::store
