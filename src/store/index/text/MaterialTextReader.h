#pragma once
// Reads the text inside a material for the full-text search: a PDF's text
// through poppler, and the words in pictures (JPEG, PNG, BMP, GIF, and the
// pages of a PDF that hold a picture and no text, such as a captured page)
// through Tesseract's Japanese and English models. The text comes back as
// CP932, with the blanks the recogniser puts between Japanese characters taken out.

#include <memory>
#include <mutex>

#include "store/index/BodyReader.h"

namespace tesseract {
class TessBaseAPI;
}

namespace plume::store::index {

class MaterialTextReader : public BodyReader {
 public:
  MaterialTextReader();
  ~MaterialTextReader() override;
  std::optional<std::string> ReadBody(const std::filesystem::path& file, std::string_view ext) override;

  /// The recognised text of one picture (UTF-8, blanks between Japanese characters
  /// taken out); empty when it cannot be read or the models are missing.
  std::string RecognisePicture(const std::filesystem::path& file);

 private:
  std::string Recognise(const unsigned char* pixels, int width, int height, int bytesPerPixel, int bytesPerLine);
  bool Ready();
  std::string ReadPdf(const std::filesystem::path& file);

  std::mutex mutex_;
  std::unique_ptr<tesseract::TessBaseAPI> ocr_;
  bool tried_ = false;
};

/// `utf8` with each blank (or run of blanks) between two non-ASCII characters taken out.
std::string JoinJapanese(std::string_view utf8);

}  // namespace plume::store::index
