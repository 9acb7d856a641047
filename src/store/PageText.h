#pragma once
// Tidying the text of a web page after it was pasted into the text area:
// blank lines go, short lines are run together, long lines keep their breaks.

#include <cstddef>
#include <string>
#include <string_view>

namespace plume::store {

/// Lines up to this many bytes (as code page 932 counts them) are run together.
inline constexpr std::size_t kShortLineBytes = 40;

/// Rewrites UTF-8 text whose lines end with "\r\n". Each line that holds more
/// than half-width and full-width spaces is kept: followed by two spaces when
/// it is at most kShortLineBytes long in code page 932, else by "\r\n". Lines
/// that hold nothing else are dropped. A text without "\r\n" is one line.
std::string TidyPageText(std::string_view utf8Text);

/// Length of UTF-8 text in code page 932 bytes (a character without a CP932
/// form counts as the one byte "?" it becomes).
std::size_t Cp932Length(std::string_view utf8Text);

}  // namespace plume::store
