#pragma once
// The text of an information file: CP932 lines ending in CR LF, tags at fixed
// places, values without escaping. Pure functions over bytes and streams, so
// the readers can be tested and fuzzed without a store.

#include <istream>
#include <optional>
#include <string>
#include <string_view>

#include "store/MaterialInfo.h"

namespace plume::store {

/// First line of every information file.
inline constexpr std::string_view kInfoHeader = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>";

/// `value` made fit for one line: every line break (CR LF, CR or LF) becomes
/// one blank, since a break would split the value over two lines of the file.
std::string SingleLineValue(std::string_view value);

/// The 16 lines of a new information file; `owner` is the first FilePath
/// value (CP932). Values are made single-line.
std::string InfoFileText(const MaterialInfo& info, std::string_view owner);

/// The line that records one more owner (CP932), ending in CR LF.
std::string OwnerLine(std::string_view owner);
/// The three lines of a FileInfo block that records a late hash.
std::string Sha256Block(std::string_view hash);

/// Reads the eight values: Ext, Width, Height and Size one after the other
/// from the start, then the last non-empty SHA256 from the start, then Title,
/// GetFrom and CreateDate one after the other from the start.
MaterialInfo ReadInfoFrom(std::istream& in);

/// The FilePath values in file order up to the first empty one.
OwnerSummary ReadOwnersFrom(std::istream& in);

/// The file rewritten with `addition` (whole CR LF lines) just before
/// "</Root>": the header, "<Root>", every line between "<Root>" and the first
/// "</Root>" (all of them, however many), the addition and "</Root>". Nullopt
/// when the text has no "<Root>" line, so a damaged file is left as it is.
std::optional<std::string> AppendToInfoText(std::istream& in, std::string_view addition);

/// `text` without its last line equal to `line` (a whole line, CR LF
/// included), every other byte kept; nullopt when no line is equal.
std::optional<std::string> WithoutLastLine(std::string_view text, std::string_view line);

}  // namespace plume::store
