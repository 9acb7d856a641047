#include "store/TextSearch.h"

#include <algorithm>

namespace plume::store {

namespace {

/// Simple case folding of the scripts with two cases in the text area's use.
char16_t FoldCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
  if (c < 0xC0) return c;
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)            // Latin-1 capitals but ×
      || (c >= 0x391 && c <= 0x3A9 && c != 0x3A2)       // Greek capitals
      || (c >= 0x410 && c <= 0x42F)                     // Cyrillic capitals
      || (c >= 0xFF21 && c <= 0xFF3A)) {                // full-width Ａ-Ｚ
    return static_cast<char16_t>(c + 0x20);
  }
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);  // Cyrillic Ѐ-Џ
  return c;
}

bool SameCharacter(char16_t a, char16_t b, bool matchCase) {
  return a == b || (!matchCase && FoldCase(a) == FoldCase(b));
}

bool MatchesAt(std::u16string_view text, std::u16string_view needle, std::size_t at, TextSearchOptions options) {
  for (std::size_t i = 0; i < needle.size(); ++i) {
    if (!SameCharacter(text[at + i], needle[i], options.matchCase)) return false;
  }
  if (!options.wholeWord) return true;
  const std::size_t end = at + needle.size();
  // Only two word characters side by side make a position lie inside a word.
  const bool startsInside = at > 0 && IsWordCharacter(text[at - 1]) && IsWordCharacter(text[at]);
  const bool endsInside = end < text.size() && IsWordCharacter(text[end - 1]) && IsWordCharacter(text[end]);
  return !startsInside && !endsInside;
}

}  // namespace

bool IsWordCharacter(char16_t c) {
  if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_') return true;
  if (c >= 0xC0 && c <= 0x24F) return c != 0xD7 && c != 0xF7;  // Latin letters but × and ÷
  if (c >= 0x370 && c <= 0x52F) return true;                    // Greek and Cyrillic
  return (c >= 0xFF10 && c <= 0xFF19) || (c >= 0xFF21 && c <= 0xFF3A) || (c >= 0xFF41 && c <= 0xFF5A);
}

std::optional<TextRange> FindInRange(std::u16string_view text, std::u16string_view needle, std::size_t from,
                                     std::size_t to, bool backward, TextSearchOptions options) {
  to = std::min(to, text.size());
  if (needle.empty() || from > to || to - from < needle.size()) return std::nullopt;
  const std::size_t last = to - needle.size();
  if (backward) {
    for (std::size_t at = last + 1; at-- > from;) {
      if (MatchesAt(text, needle, at, options)) return TextRange{at, at + needle.size()};
    }
  } else {
    for (std::size_t at = from; at <= last; ++at) {
      if (MatchesAt(text, needle, at, options)) return TextRange{at, at + needle.size()};
    }
  }
  return std::nullopt;
}

std::optional<TextRange> FindNext(std::u16string_view text, std::u16string_view needle, TextRange selection,
                                  TextSearchOptions options) {
  const std::size_t end = std::max(selection.start, selection.end);
  if (auto found = FindInRange(text, needle, end, text.size(), false, options)) return found;
  if (end == 0) return std::nullopt;
  return FindInRange(text, needle, 0, text.size(), false, options);
}

std::optional<TextRange> FindPrevious(std::u16string_view text, std::u16string_view needle, TextRange selection,
                                      TextSearchOptions options) {
  const std::size_t start = std::min(selection.start, selection.end);
  if (auto found = FindInRange(text, needle, 0, start, true, options)) return found;
  return FindInRange(text, needle, 0, text.size(), true, options);
}

}  // namespace plume::store
