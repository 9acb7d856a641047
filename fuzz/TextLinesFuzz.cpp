// The text writer's line reader and wrapper on arbitrary bytes: no line holds
// a line end, wrapping keeps every byte in order, and no piece but a line's
// last ends inside a double-byte character.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "convert/CTxt2Pdf.h"
#include "convert/TextLines.h"
#include "platform/Cp932.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// True when `piece` ends on a character boundary.
bool EndsOnBoundary(std::string_view piece) {
  std::size_t i = 0;
  while (i < piece.size()) i += plume::platform::IsCp932LeadByte(static_cast<unsigned char>(piece[i])) ? 2 : 1;
  return i == piece.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // The first byte picks the usable width (1 to 256 points), the rest is the text.
  const int usableWidth = data[0] + 1;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const auto lines = plume::convert::SplitTextLines(text);

  std::string joined;
  for (const std::string& line : lines) {
    Check(line.find_first_of("\r\n") == std::string::npos);
    joined += line;
  }
  Check(joined.size() <= text.size());

  std::string rejoined;
  for (const std::string& line : lines) {
    const auto pieces = plume::convert::WrapTextLines({line}, usableWidth, 12);
    std::string whole;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      Check(!pieces[i].empty() || pieces.size() == 1);
      if (i + 1 < pieces.size()) Check(EndsOnBoundary(pieces[i]));
      whole += pieces[i];
    }
    Check(whole == line);
    rejoined += whole;
  }
  Check(rejoined == joined);

  const std::string content = plume::convert::CTxt2Pdf::TextObject(lines);
  Check(lines.empty() ? content.empty() : content.size() >= 2 * joined.size());
  return 0;
}
