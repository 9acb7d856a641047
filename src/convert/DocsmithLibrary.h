#pragma once
// The PDF helper library libdocsmith.so, opened with dlopen for one operation
// and closed when the object goes.

#include <filesystem>
#include <memory>
#include <string>

#include "convert/DocsmithApi.h"

namespace plume::convert {

class DocsmithLibrary {
 public:
  /// The library's file name.
  static constexpr const char* kFileName = "libdocsmith.so";

  /// Opens `path` and finds the five exports; nullptr when the file cannot be
  /// loaded or lacks one of them.
  static std::unique_ptr<DocsmithLibrary> Open(const std::filesystem::path& path);

  /// The folder the library is taken from: the one set by SetFolder, else the
  /// folder of the running executable.
  static std::filesystem::path Folder();
  /// Makes Folder() answer `folder` (empty: back to the executable's folder).
  static void SetFolder(const std::filesystem::path& folder);
  /// Folder() / kFileName.
  static std::filesystem::path DefaultPath();

  ~DocsmithLibrary();
  DocsmithLibrary(const DocsmithLibrary&) = delete;
  DocsmithLibrary& operator=(const DocsmithLibrary&) = delete;

  DocsmithLoadPdfFn loadPdf = nullptr;
  DocsmithFreePdfFn freePdf = nullptr;
  DocsmithCombinePdfFn combinePdf = nullptr;
  DocsmithWritePdfInfoFn writePdfInfo = nullptr;
  DocsmithCombinePdfListFn combinePdfList = nullptr;

 private:
  explicit DocsmithLibrary(void* handle) : handle_(handle) {}
  void* handle_;
};

/// A document opened by the library, freed when the object goes.
class DocsmithDocument {
 public:
  DocsmithDocument(const DocsmithLibrary& library, const std::filesystem::path& path)
      : library_(library), handle_(library.loadPdf(path.c_str())) {}
  ~DocsmithDocument() { library_.freePdf(handle_); }
  DocsmithDocument(const DocsmithDocument&) = delete;
  DocsmithDocument& operator=(const DocsmithDocument&) = delete;

  DocsmithHandle Handle() const { return handle_; }

 private:
  const DocsmithLibrary& library_;
  DocsmithHandle handle_;
};

}  // namespace plume::convert
