#include "capture/PdfHelper.h"

#include "capture/DocsmithLibrary.h"
#include "platform/Messages.h"

namespace plume::capture {
namespace {

using platform::MsgIcon;
using platform::StringId;

std::unique_ptr<DocsmithLibrary> LoadLibraryOrSay() {
  const std::filesystem::path path = DocsmithLibrary::DefaultPath();
  std::unique_ptr<DocsmithLibrary> library = DocsmithLibrary::Open(path);
  if (!library) platform::ShowMessage(StringId::LibraryNotFound, path.string() + "\n", MsgIcon::Error);
  return library;
}

}  // namespace

std::string PdfInfoCreator() { return std::string(platform::kAppTitle) + " (Wendmoor)"; }

std::string PdfInfoProducer() {
  return std::string(platform::kAppTitle) + " (by \"" + DocsmithLibrary::kFileName + "\")";
}

std::string PdfInfoDate(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  char text[64];
  const std::size_t n = std::strftime(text, sizeof text, "%Y.%m.%d %H:%M:%S", &local);
  return std::string(text, n);
}

bool JoinPdfFiles(const std::filesystem::path& pdf1, const std::filesystem::path& pdf2,
                  const std::filesystem::path& outPath) {
  const std::unique_ptr<DocsmithLibrary> library = LoadLibraryOrSay();
  if (!library) return false;
  int ok = 0;
  {
    const DocsmithDocument first(*library, pdf1);
    const DocsmithDocument second(*library, pdf2);
    ok = library->combinePdf(first.Handle(), second.Handle(), outPath.c_str());
  }
  // A join that did not happen must not pass for one: the caller would go on
  // with whatever an earlier run left at outPath.
  if (ok != 1) {
    platform::ShowMessage(StringId::PdfCreateFailed, "[Combine PDF]\n", MsgIcon::Error);
    return false;
  }
  return true;
}

bool AddPdfInfo(const std::filesystem::path& srcPath, const std::filesystem::path& dstPath,
                const PdfInfoSource& info) {
  const std::unique_ptr<DocsmithLibrary> library = LoadLibraryOrSay();
  if (!library) return false;
  const std::string creator = PdfInfoCreator();
  const std::string producer = PdfInfoProducer();
  const std::string date = PdfInfoDate(info.when ? *info.when : std::time(nullptr));
  const DocsmithInfo record{info.title.c_str(), info.address.c_str(), "", "", creator.c_str(),
                            producer.c_str(), date.c_str(), date.c_str()};
  int ok = 0;
  {
    const DocsmithDocument document(*library, srcPath);
    ok = library->writePdfInfo(document.Handle(), &record, dstPath.c_str());
  }
  if (ok != 1) {
    platform::ShowMessage(StringId::PdfInfoWriteFailed, {}, MsgIcon::Error);
    return false;
  }
  return true;
}

}  // namespace plume::capture
