// PDF text of arbitrary bytes: a failure gives no text and says why, a
// success says nothing, and the text is always valid to hand on as UTF-8
// (poppler itself is not instrumented; our wrapper around it is).

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/pdf/PopplerPdfText.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const plume::platform::PopplerPdfText pdfText;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const plume::platform::PdfTextResult r = pdfText.FromBytes(bytes);
  Check(r.ok ? r.detail.empty() : r.text.empty() && !r.detail.empty());
  return 0;
}
