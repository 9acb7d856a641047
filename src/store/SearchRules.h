#pragma once
// The small rules of the material search: which materials pass the type, date
// and text filters, and how the size, number and confirmation texts read.
// Everything works on CP932 bytes as stored.

#include <filesystem>
#include <string>
#include <string_view>

namespace plume::store {

struct MaterialInfo;
struct SearchRow;

/// The list row of a material: number `number`, the serial as shown, the
/// information file's facts and the owners (count, first owner's path, CP932).
SearchRow MaterialRow(int number, std::string serialText, const MaterialInfo& info, int ownerCount,
                      std::string firstOwner);

/// Lower date meaning "no lower bound".
inline constexpr std::string_view kNoLowerDate = "0000.00.00";
/// Upper date meaning "no upper bound".
inline constexpr std::string_view kNoUpperDate = "9999.99.99";

/// What the user asked for (CP932 text).
struct SearchConditions {
  int typeIndex = 0;                           ///< 0 all types, 1..6 one type (out of range taken as 0)
  std::string date1 = std::string(kNoLowerDate);  ///< "%Y.%m.%d" or kNoLowerDate
  std::string date2 = std::string(kNoUpperDate);  ///< "%Y.%m.%d" or kNoUpperDate
  std::string text;                            ///< empty: no text filter
  bool fullText = false;                       ///< also look inside the materials (index only)
};

/// Whether a material of type word `ext` passes type entry `typeIndex`: the
/// type word must occur in the entry. Entry 0 admits all six data types.
bool TypePasses(std::string_view ext, int typeIndex);

/// Whether the capture date passes [date1, date2]: its first 10 bytes compared
/// byte-wise; the bounds are inclusive.
bool DatePasses(std::string_view createDate, std::string_view date1, std::string_view date2);

/// Bytes of the character starting at `i` (< text.size()): 2 for a lead byte
/// followed by a valid trail byte, else 1.
std::size_t Cp932CharLength(std::string_view text, std::size_t i);

/// Whether `needle` occurs in `haystack` starting on a character boundary
/// (a CP932 trail byte never starts a match). Case-sensitive; empty never matches.
bool ContainsOnBoundary(std::string_view haystack, std::string_view needle);

/// Whether one line of the related text `bytes` contains `needle`; a needle
/// holding a line break is never found.
bool RelatedTextContains(std::string_view bytes, std::string_view needle);

/// Whether the related text file exists, is not empty and one of its lines
/// contains `needle`.
bool RelatedTextFileContains(const std::filesystem::path& file, std::string_view needle);

/// Replaces `bytes` with the whole file; false when it cannot be opened or read.
bool ReadFileInto(const std::filesystem::path& file, std::string& bytes);

/// "1234" → "1,234", "1234567" → "1,234,567"; shorter or longer than 4..9
/// digits stays as it is.
std::string GroupDigits(std::string_view digits);

/// The size column: "0" for a stored "0", "1" below 1024 bytes, else KB, grouped.
std::string SizeKbText(std::string_view storedSize);

/// A grouped number read back (commas ignored); 0 when there are no digits.
long long UngroupedNumber(std::string_view text);

/// The caption of type list entry `typeIndex` (UTF-8).
std::string_view TypeCaption(int typeIndex);

/// The lines shown above the start question (UTF-8).
std::string ConfirmationPrefix(const SearchConditions& conditions);

}  // namespace plume::store
