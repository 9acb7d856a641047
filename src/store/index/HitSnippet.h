#pragma once
// The line of a material's own text shown for a full-text hit.

#include <string>
#include <string_view>

namespace plume::store::index {

/// About 60 bytes of `body` (CP932) either side of the first hit of
/// `needle` (a character that straddles the limit after the hit is kept
/// whole), cut on character boundaries, line breaks and tabs as blanks, with
/// "…" where text was left out.
std::string HitSnippet(std::string_view body, std::string_view needle);

}  // namespace plume::store::index
