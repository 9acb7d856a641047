// The Word export's handling of a PDF's text: the text-only preparation and
// the document's lines and pages, on any bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "convert/WordExport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (bool formatted : {true, false}) {
    const plume::convert::WordContent content = plume::convert::BuildWordContent(text, formatted);
    if (content.pages.empty()) __builtin_trap();
  }
  plume::convert::WordDocumentName(text);
  return 0;
}
