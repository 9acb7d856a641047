#pragma once
// The code page 932 (Shift-JIS) codec. The core keeps record text, information
// files and related texts as CP932 bytes in std::string; these functions
// convert at the boundaries (display, user input, web page titles) and cut
// text to byte limits without splitting a double-byte character.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace plume::platform {

/// True for the first byte of a double-byte CP932 character (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsCp932LeadByte(unsigned char byte) noexcept {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

/// CP932 bytes to UTF-8. A byte or byte pair that is not CP932 becomes U+FFFD;
/// the conversion never fails. Thread-safe.
std::string Cp932ToUtf8(std::string_view cp932);

/// CP932 bytes to UTF-8 when every byte sequence is CP932; nullopt otherwise
/// (for names that may be in another encoding). Thread-safe.
std::optional<std::string> Cp932ToUtf8Exact(std::string_view cp932);

/// UTF-8 to CP932 bytes. A character with no CP932 form, and every byte that is
/// not valid UTF-8, becomes "?"; the conversion never fails. Thread-safe.
std::string Utf8ToCp932(std::string_view utf8);

/// Length in bytes of the longest prefix of `text` that fits in `maxBytes`
/// without splitting a double-byte character. The prefix also ends before the
/// first NUL and before a lead byte that has no second byte.
std::size_t Cp932CutLength(std::string_view text, std::size_t maxBytes);

/// The prefix of `cp932` measured by Cp932CutLength.
std::string CutToBytes(std::string_view cp932, std::size_t maxBytes);

/// Writes `cp932` into a fixed-size record field as NUL-terminated text: at
/// most fieldSize - 1 bytes, cut on a character boundary, and every byte after
/// the text set to zero. Does nothing when fieldSize is 0.
void CopyToField(char* field, std::size_t fieldSize, std::string_view cp932);

/// The text of a fixed-size record field: the bytes up to the first NUL, or
/// the whole field when it holds no NUL. Never reads past the field.
std::string_view FieldText(const char* field, std::size_t fieldSize);

/// CopyToField for a char array member, e.g. CopyToField(node.title, text).
template <std::size_t N>
void CopyToField(char (&field)[N], std::string_view cp932) {
  CopyToField(field, N, cp932);
}

/// FieldText for a char array member, e.g. FieldText(node.title).
template <std::size_t N>
std::string_view FieldText(const char (&field)[N]) {
  return FieldText(field, N);
}

}  // namespace plume::platform
