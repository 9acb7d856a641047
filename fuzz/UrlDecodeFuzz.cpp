// The rules for dropped links on arbitrary text: decoding never grows the
// text, an embedded address is a piece of the (decoded) input that starts
// with a web scheme, and the type of a link is one of the type words.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "capture/UrlRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string decoded = plume::capture::DecodeUrlText(text);
  // Every escape (three characters) becomes at most two bytes; a kana escape (nine) at most two.
  if (decoded.size() > text.size()) std::abort();

  std::string url = text;
  const std::string type = plume::capture::DetectUrlType(url);
  if (!type.empty() && type != "JPEG" && type != "PDF" && type != "GIF" && type != "BMP" && type != "PNG" &&
      type != "TIFF") {
    std::abort();
  }
  if (type.empty() && url != text) std::abort();
  if (url != text) {
    std::string upper = url;
    for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    if (upper.rfind("HTTP://", 0) != 0 && upper.rfind("HTTPS://", 0) != 0) std::abort();
  }
  return 0;
}
