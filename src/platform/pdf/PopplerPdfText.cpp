#include "platform/pdf/PopplerPdfText.h"

#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace plume::platform {

namespace {

void Quiet(const std::string&, void*) {}

PdfTextResult Failure(std::string detail) { return {false, {}, std::move(detail)}; }

/// Fewer pages than this a thread are read on the calling thread alone.
constexpr int kPagesPerThread = 8;

// Poppler builds some process-wide state lazily, unguarded, on the first page
// it reads (colour management among it): until one page has been read in this
// process, pages are read one at a time.
std::mutex gFirstPageMutex;
std::atomic<bool> gPageRead{false};

/// The page's text; none when poppler has no page at `index`.
std::optional<std::string> PageText(poppler::document& doc, int index) {
  const auto read = [&]() -> std::optional<std::string> {
    std::unique_ptr<poppler::page> page(doc.create_page(index));
    if (!page) return std::nullopt;
    const poppler::byte_array utf8 = page->text(poppler::rectf(), poppler::page::non_raw_non_physical_layout).to_utf8();
    gPageRead.store(true, std::memory_order_release);
    return std::string(utf8.begin(), utf8.end());
  };
  if (gPageRead.load(std::memory_order_acquire)) return read();
  std::lock_guard lock(gFirstPageMutex);
  return read();
}

std::unique_ptr<poppler::document> Load(std::string_view bytes) {
  return std::unique_ptr<poppler::document>(
      poppler::document::load_from_raw_data(bytes.data(), static_cast<int>(bytes.size())));
}

PdfTextResult TextOf(std::string_view bytes, const std::stop_token& stop, char separator, int threads) {
  std::unique_ptr<poppler::document> doc = Load(bytes);
  if (!doc) return Failure("not a readable PDF document");
  if (doc->is_locked()) return Failure("the PDF document is encrypted");
  const int pages = doc->pages();
  std::vector<std::optional<std::string>> texts(static_cast<std::size_t>(std::max(pages, 0)));
  std::atomic<int> next{0};
  std::atomic<bool> stopped{false};
  const auto work = [&](poppler::document& own) {
    for (int i; (i = next.fetch_add(1)) < pages;) {
      if (stop.stop_requested()) {
        stopped = true;
        return;
      }
      texts[static_cast<std::size_t>(i)] = PageText(own, i);
    }
  };
  {
    // Helpers that cannot open their document leave their pages to the others.
    std::vector<std::jthread> helpers;
    for (int t = 1; t < std::min(threads, pages / kPagesPerThread); ++t)
      helpers.emplace_back([&] {
        if (std::unique_ptr<poppler::document> own = Load(bytes); own && !own->is_locked()) work(*own);
      });
    work(*doc);
  }
  if (stopped) return Failure("stopped");
  PdfTextResult result{true, {}, {}};
  std::size_t size = 0;
  for (const std::optional<std::string>& text : texts) size += text ? text->size() + 1 : 0;
  result.text.reserve(size);
  for (int i = 0; i < pages; ++i) {
    const std::optional<std::string>& text = texts[static_cast<std::size_t>(i)];
    if (!text) continue;
    if (i > 0) result.text += separator;
    result.text += *text;
  }
  return result;
}

}  // namespace

PopplerPdfText::PopplerPdfText(char pageSeparator, int threads)
    : pageSeparator_(pageSeparator),
      threads_(threads > 0 ? threads : std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 4)) {
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
  return TextOf(bytes, stop, pageSeparator_, threads_);
}

}  // namespace plume::platform
