#pragma once
// Line handling of the text-to-PDF writer: splitting CP932 text into lines and
// wrapping lines to a width without splitting a double-byte character.

#include <string>
#include <string_view>
#include <vector>

namespace plume::convert {

/// Splits `text` at LF, CR LF and lone CR. A text ending in a line end has no
/// empty last line; an empty text has no lines.
std::vector<std::string> SplitTextLines(std::string_view text);

/// Wraps every line wider than `usableWidth` points, a byte being
/// `fontSize / 2` points wide. A piece ends after the single-byte character
/// that makes it wider than usableWidth - fontSize / 2, or after the
/// double-byte character that makes it wider than usableWidth - fontSize.
/// A lead byte at the very end of a line ends that line's last piece.
std::vector<std::string> WrapTextLines(const std::vector<std::string>& lines, int usableWidth, int fontSize);

}  // namespace plume::convert
