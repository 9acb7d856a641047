// Text that comes from web pages and related text files: tidying, the stored
// form and back, and the text search on arbitrary input. Tidying never grows a
// kept line, stored text round-trips through CP932 without line-end damage,
// and every match the search reports lies inside the text and equals the
// needle (when case matters).

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "store/PageText.h"
#include "store/StoredText.h"
#include "store/TextSearch.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace plume::store;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const std::string tidy = TidyPageText(bytes);
  Check(tidy.find("\r\n\r\n") == std::string::npos);  // blank lines are gone
  (void)Cp932Length(bytes);

  const std::string shown = FromStoredText(bytes);
  const std::string stored = ToStoredText(shown);
  for (std::size_t i = stored.find('\n'); i != std::string::npos; i = stored.find('\n', i + 1))
    Check(i > 0 && stored[i - 1] == '\r');  // every stored line break is CR LF
  Check(FromStoredText(stored).find('\n') == std::string::npos || shown.find('\n') != std::string::npos);

  if (size < 4) return 0;
  // The first byte splits the input into needle and text (UTF-16 code units).
  const std::size_t needleUnits = static_cast<std::uint8_t>(bytes[0]) % 8;
  const TextSearchOptions options{(bytes[1] & 1) != 0, (bytes[1] & 2) != 0};
  std::u16string units;
  for (std::size_t i = 2; i + 1 < size; i += 2)
    units.push_back(static_cast<char16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                          (static_cast<std::uint8_t>(bytes[i + 1]) << 8)));
  const std::size_t split = std::min(needleUnits, units.size());
  const std::u16string_view needle = std::u16string_view(units).substr(0, split);
  const std::u16string_view text = std::u16string_view(units).substr(split);
  const TextRange selection{text.size() / 3, text.size() / 2};
  for (const auto& found : {FindNext(text, needle, selection, options), FindPrevious(text, needle, selection, options)}) {
    if (!found) continue;
    Check(found->start <= found->end && found->end <= text.size());
    Check(found->end - found->start == needle.size());
    if (options.matchCase) Check(text.substr(found->start, needle.size()) == needle);
  }
  return 0;
}
