#include "store/index/HitSnippet.h"

#include <algorithm>

#include "store/SearchRules.h"

namespace plume::store::index {

namespace {

/// Bytes either side of a hit in a snippet.
constexpr std::size_t kSnippetBytes = 60;

}  // namespace

std::string HitSnippet(std::string_view body, std::string_view needle) {
  std::size_t at = 0;
  for (std::size_t i = 0; i + needle.size() <= body.size(); i += Cp932CharLength(body, i)) {
    if (body.compare(i, needle.size(), needle) == 0) {
      at = i;
      break;
    }
  }
  std::size_t from = 0;
  for (std::size_t i = 0; i < at; i += Cp932CharLength(body, i)) {
    if (at - i <= kSnippetBytes) {
      from = i;
      break;
    }
  }
  std::size_t to = at + needle.size();
  while (to < body.size() && to - at - needle.size() < kSnippetBytes) to += Cp932CharLength(body, to);
  std::string out(body.substr(from, std::min(to, body.size()) - from));
  for (char& c : out) {
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  }
  return (from > 0 ? "…" : "") + out + (to < body.size() ? "…" : "");
}

}  // namespace plume::store::index
