#include "platform/pdf/PopplerPdfText.h"

#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>

#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <mutex>

namespace plume::platform {

namespace {

void Quiet(const std::string&, void*) {}

PdfTextResult Failure(std::string detail) { return {false, {}, std::move(detail)}; }

PdfTextResult TextOf(std::unique_ptr<poppler::document> doc, const std::stop_token& stop, char separator) {
  if (!doc) return Failure("not a readable PDF document");
  if (doc->is_locked()) return Failure("the PDF document is encrypted");
  PdfTextResult result{true, {}, {}};
  const int pages = doc->pages();
  for (int i = 0; i < pages; ++i) {
    if (stop.stop_requested()) return Failure("stopped");
    std::unique_ptr<poppler::page> page(doc->create_page(i));
    if (!page) continue;
    const poppler::byte_array utf8 =
        page->text(poppler::rectf(), poppler::page::non_raw_non_physical_layout).to_utf8();
    if (i > 0) result.text += separator;
    result.text.append(utf8.begin(), utf8.end());
  }
  return result;
}

}  // namespace

PopplerPdfText::PopplerPdfText(char pageSeparator) : pageSeparator_(pageSeparator) {
  static std::once_flag quiet;
  std::call_once(quiet, [] { poppler::set_debug_error_function(Quiet, nullptr); });
}

PdfTextResult PopplerPdfText::FromFile(const std::filesystem::path& path, std::stop_token stop) const {
  // Read the file ourselves: poppler's own loader takes a narrow path and
  // would keep the file open while the pages are read.
  std::ifstream in(path, std::ios::binary);
  if (!in) return Failure("cannot open " + path.string());
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return Failure("cannot read " + path.string());
  return FromBytes(bytes, stop);
}

PdfTextResult PopplerPdfText::FromBytes(std::string_view bytes, std::stop_token stop) const {
  if (bytes.empty()) return Failure("empty input");
  if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return Failure("too large");
  std::unique_ptr<poppler::document> doc(
      poppler::document::load_from_raw_data(bytes.data(), static_cast<int>(bytes.size())));
  return TextOf(std::move(doc), stop, pageSeparator_);
}

}  // namespace plume::platform
