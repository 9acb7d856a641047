#pragma once
// Finding a string in the text area: the forward and backward passes of the
// text search dialog, with wrap-around, match case and whole words. Works on
// UTF-16 text so that positions are those of the text area's cursor.

#include <cstddef>
#include <optional>
#include <string_view>

namespace plume::store {

/// A range of UTF-16 code units, [start, end).
struct TextRange {
  std::size_t start = 0;
  std::size_t end = 0;
  friend bool operator==(const TextRange&, const TextRange&) = default;
};

struct TextSearchOptions {
  bool matchCase = false;  ///< off: "abc" finds "ABC" (Latin, Greek, Cyrillic, full-width letters)
  bool wholeWord = false;  ///< on: the match neither starts nor ends inside a word
};

/// The first match (last when `backward`) lying wholly in [from, to) of
/// `text`; nothing for an empty `needle`. Bounds past the text are clamped.
std::optional<TextRange> FindInRange(std::u16string_view text, std::u16string_view needle, std::size_t from,
                                     std::size_t to, bool backward, TextSearchOptions options);

/// Next: from the end of `selection` to the end of the text; when that finds
/// nothing and the selection does not end at 0, again from the start.
std::optional<TextRange> FindNext(std::u16string_view text, std::u16string_view needle, TextRange selection,
                                  TextSearchOptions options);

/// Previous: backward from the start of `selection` to the start of the text;
/// when that finds nothing, backward again from the end of the text.
std::optional<TextRange> FindPrevious(std::u16string_view text, std::u16string_view needle, TextRange selection,
                                      TextSearchOptions options);

/// True for a character that belongs to a word of letters and digits. CJK
/// characters are not: each stands apart, so whole-word matching finds them
/// anywhere.
bool IsWordCharacter(char16_t c);

}  // namespace plume::store
