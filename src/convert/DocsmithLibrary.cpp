#include "convert/DocsmithLibrary.h"

#include <dlfcn.h>

#include <system_error>

namespace plume::convert {
namespace {

std::filesystem::path& FolderOverride() {
  static std::filesystem::path folder;
  return folder;
}

template <class Fn>
bool Find(void* handle, const char* name, Fn& fn) {
  fn = reinterpret_cast<Fn>(dlsym(handle, name));
  return fn != nullptr;
}

}  // namespace

std::filesystem::path DocsmithLibrary::Folder() {
  if (!FolderOverride().empty()) return FolderOverride();
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : exe.parent_path();
}

void DocsmithLibrary::SetFolder(const std::filesystem::path& folder) { FolderOverride() = folder; }

std::filesystem::path DocsmithLibrary::DefaultPath() { return Folder() / kFileName; }

std::unique_ptr<DocsmithLibrary> DocsmithLibrary::Open(const std::filesystem::path& path) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) return nullptr;
  std::unique_ptr<DocsmithLibrary> library(new DocsmithLibrary(handle));
  if (!Find(handle, "LoadPDF", library->loadPdf) || !Find(handle, "FreePDF", library->freePdf) ||
      !Find(handle, "CombinePDF", library->combinePdf) || !Find(handle, "WritePDFInfo", library->writePdfInfo) ||
      !Find(handle, "CombinePDFList", library->combinePdfList))
    return nullptr;
  return library;
}

DocsmithLibrary::~DocsmithLibrary() { dlclose(handle_); }

}  // namespace plume::convert
