#include "store/index/text/MaterialTextReader.h"

#include <leptonica/allheaders.h>
#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-image.h>
#include <poppler-page-renderer.h>
#include <poppler-page.h>
#include <tesseract/baseapi.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <limits>

#include "platform/Cp932.h"

namespace plume::store::index {

namespace fs = std::filesystem;

namespace {

/// Widest picture handed to the recogniser, and pages of a PDF read as pictures at most.
constexpr int kMaxOcrWidth = 2400;
constexpr int kMaxOcrHeight = 20000;
constexpr int kMaxPicturePages = 8;
/// Largest data file read (bytes).
constexpr std::uintmax_t kMaxFileBytes = 256u << 20;

void Quiet(const std::string&, void*) {}

bool Blank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f'; });
}

}  // namespace

std::string JoinJapanese(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == ' ' && !out.empty() && static_cast<unsigned char>(out.back()) >= 0x80) {
      std::size_t j = i;
      while (j < utf8.size() && utf8[j] == ' ') ++j;
      if (j < utf8.size() && static_cast<unsigned char>(utf8[j]) >= 0x80) {
        i = j - 1;
        continue;
      }
    }
    out += utf8[i];
  }
  return out;
}

MaterialTextReader::MaterialTextReader() {
  poppler::set_debug_error_function(Quiet, nullptr);
  // A file that is no picture is an answer (no text), not a complaint on the terminal.
  setMsgSeverity(L_SEVERITY_NONE);
}

MaterialTextReader::~MaterialTextReader() {
  if (ocr_) ocr_->End();
}

bool MaterialTextReader::Ready() {
  if (!tried_) {
    tried_ = true;
    auto api = std::make_unique<tesseract::TessBaseAPI>();
    // The models of the system's packages; warnings stay off the terminal.
    if (api->Init(nullptr, "jpn+eng") == 0) {
      api->SetVariable("debug_file", "/dev/null");
      ocr_ = std::move(api);
    }
  }
  return ocr_ != nullptr;
}

std::string MaterialTextReader::Recognise(const unsigned char* pixels, int width, int height, int bytesPerPixel,
                                          int bytesPerLine) {
  if (!Ready() || width <= 0 || height <= 0) return {};
  ocr_->SetImage(pixels, width, height, bytesPerPixel, bytesPerLine);
  std::unique_ptr<char[]> text(ocr_->GetUTF8Text());
  ocr_->Clear();
  return text ? JoinJapanese(text.get()) : std::string();
}

std::string MaterialTextReader::RecognisePicture(const fs::path& file) {
  std::lock_guard lock(mutex_);
  if (!Ready()) return {};
  PIX* pix = pixRead(file.c_str());
  if (pix == nullptr) return {};
  // Pictures too large for the recogniser are made smaller first.
  const int w = pixGetWidth(pix);
  const int h = pixGetHeight(pix);
  const float scale = std::min({1.0f, static_cast<float>(kMaxOcrWidth) / w, static_cast<float>(kMaxOcrHeight) / h});
  if (scale < 1.0f) {
    PIX* smaller = pixScale(pix, scale, scale);
    pixDestroy(&pix);
    pix = smaller;
    if (pix == nullptr) return {};
  }
  ocr_->SetImage(pix);
  std::unique_ptr<char[]> text(ocr_->GetUTF8Text());
  ocr_->Clear();
  pixDestroy(&pix);
  return text ? JoinJapanese(text.get()) : std::string();
}

std::string MaterialTextReader::ReadPdf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.empty() || bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return {};
  std::unique_ptr<poppler::document> doc(
      poppler::document::load_from_raw_data(bytes.data(), static_cast<int>(bytes.size())));
  if (!doc || doc->is_locked()) return {};
  std::string out;
  int picturePages = 0;
  for (int i = 0; i < doc->pages(); ++i) {
    std::unique_ptr<poppler::page> page(doc->create_page(i));
    if (!page) continue;
    const poppler::byte_array utf8 = page->text(poppler::rectf(), poppler::page::non_raw_non_physical_layout).to_utf8();
    std::string text(utf8.begin(), utf8.end());
    if (Blank(text) && picturePages < kMaxPicturePages) {
      // A page without text is a picture (a captured page): read it as one.
      ++picturePages;
      const poppler::rectf box = page->page_rect();
      if (box.width() <= 0 || box.height() <= 0) continue;
      const double dpi = std::min({150.0, kMaxOcrWidth * 72.0 / box.width(), kMaxOcrHeight * 72.0 / box.height()});
      poppler::page_renderer renderer;
      renderer.set_image_format(poppler::image::format_rgb24);
      const poppler::image image = renderer.render_page(page.get(), dpi, dpi);
      if (!image.is_valid()) continue;
      std::lock_guard lock(mutex_);
      text = Recognise(reinterpret_cast<const unsigned char*>(image.const_data()), image.width(), image.height(), 3,
                       image.bytes_per_row());
    }
    if (!out.empty()) out += '\n';
    out += text;
  }
  return out;
}

std::optional<std::string> MaterialTextReader::ReadBody(const fs::path& file, std::string_view ext) {
  std::error_code ec;
  const auto size = fs::file_size(file, ec);
  if (ec) return std::nullopt;
  if (size > kMaxFileBytes) return std::string();
  std::string utf8;
  if (ext == "PDF") {
    utf8 = ReadPdf(file);
  } else if (ext == "JPEG" || ext == "PNG" || ext == "BMP" || ext == "GIF") {
    utf8 = RecognisePicture(file);
  }
  return platform::Utf8ToCp932(utf8);
}

}  // namespace plume::store::index
