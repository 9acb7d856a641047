#pragma once
// The index's tokens: every character of a text (code page 932 bytes) and
// every pair of neighbouring characters. A query of any length, one character
// included, becomes the pairs (or the one character) that any text holding it
// must also hold; the candidates are then checked against the stored text,
// so the tokens only need to find a superset.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace plume::store::index {

/// Name under which the tokenizer is registered with the full-text engine.
inline constexpr const char* kGramTokenizerName = "plume_grams";

/// Calls `emit` with every character of `text` and every pair of neighbouring
/// characters, as byte ranges of `text` (characters as the search splits them).
void ForEachGram(std::string_view text, const std::function<void(std::size_t start, std::size_t length)>& emit);

/// The tokens every text containing `needle` on a character boundary holds:
/// one character, or pairs covering the needle. Empty when the needle gives
/// none (empty, or one lead byte whose character is completed by the text).
std::vector<std::string> QueryGrams(std::string_view needle);

/// A full-text query over `grams` (AND of quoted tokens), limited to the
/// listed columns when `columns` is not empty ("title related").
std::string MatchExpression(const std::vector<std::string>& grams, std::string_view columns);

/// Registers the tokenizer on `db`; false when the engine is missing.
bool RegisterGramTokenizer(sqlite3* db);

}  // namespace plume::store::index
