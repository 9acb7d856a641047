#pragma once
// Serial numbers, type words and folder creation: the fixed vocabulary of the
// material store, needing neither settings nor messages.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace plume::store {

/// A material's serial number (non-negative).
using Serial = std::int64_t;

/// Folder below the store path that holds the whole store.
inline constexpr std::string_view kStoreFolder = "PLUMEDATA";
/// Folder below the store root that holds the information files.
inline constexpr std::string_view kInfoFolder = "KANRI";
/// Type word (and folder) of related texts.
inline constexpr std::string_view kTextType = "TXT";

/// The six data type words, in the order the search lists them.
inline constexpr std::array<std::string_view, 6> kDataTypes = {"PDF", "JPEG", "GIF", "BMP", "PNG", "TIFF"};

/// The type filter table: entry 0 is the filter for all types, 1..6 the data type words.
inline constexpr std::array<std::string_view, 7> kTypeFilters = {"PDF:JPEG:GIF:BMP", "PDF", "JPEG", "GIF",
                                                                 "BMP",              "PNG", "TIFF"};

/// The text form of a serial: at least 8 digits, zero-padded ("00001234");
/// nine-digit serials keep all nine. Negative numbers are formatted as 0.
std::string FormatSerial(Serial number);

/// The bucket of a serial text: its last two characters ("34" for 00001234);
/// "00" for a text shorter than two characters.
std::string BucketOf(std::string_view serialText);

/// Reads a serial text as a number: the leading decimal digits (leading
/// zeros allowed); 0 when the text starts with anything else. Never negative.
Serial ParseSerial(std::string_view text);

/// Creates every missing folder along `path`; true when the whole path is a
/// folder afterwards. A folder that already exists is not an error; a file in
/// the way is.
bool EnsureFolder(const std::filesystem::path& path);

}  // namespace plume::store
