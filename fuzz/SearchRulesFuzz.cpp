// The search's text rules on any bytes: a related text and a needle split at
// the first NUL, checked against a plain walk of character boundaries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "store/SearchRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view all(reinterpret_cast<const char*>(data), size);
  const std::size_t split = all.find('\0');
  const std::string_view needle = split == std::string_view::npos ? all.substr(0, 3) : all.substr(0, split);
  const std::string_view text = split == std::string_view::npos ? all : all.substr(split + 1);
  const bool fast = plume::store::ContainsOnBoundary(text, needle);
  bool slow = false;
  for (std::size_t i = 0; i < text.size() && !needle.empty(); ) {
    if (text.substr(i, needle.size()) == needle) {
      slow = true;
      break;
    }
    i += plume::store::Cp932CharLength(text, i);
  }
  if (fast != slow) std::abort();
  (void)plume::store::RelatedTextContains(text, needle);
  (void)plume::store::DatePasses(text, "2012.01.01", needle);
  (void)plume::store::SizeKbText(text);
  (void)plume::store::GroupDigits(needle);
  return 0;
}
