#include "convert/PdfHelper.h"

#include <atomic>
#include <functional>

#include "convert/DocsmithLibrary.h"
#include "platform/UserOutput.h"
#include "platform/WorkFolder.h"
#include "platform/Messages.h"

namespace plume::convert {
namespace {

using platform::MsgIcon;
using platform::StringId;

std::unique_ptr<DocsmithLibrary> LoadLibraryOrSay() {
  const std::filesystem::path path = DocsmithLibrary::DefaultPath();
  std::unique_ptr<DocsmithLibrary> library = DocsmithLibrary::Open(path);
  if (!library) platform::ShowMessage(StringId::LibraryNotFound, path.string() + "\n", MsgIcon::Error);
  return library;
}

// Runs `write` on a path the library may write to: `outPath` itself when it
// lies in the scratch folder, else a scratch file then put in place at `outPath`.
bool WriteThroughScratch(const std::filesystem::path& outPath,
                         const std::function<bool(const std::filesystem::path&)>& write) {
  const std::filesystem::path scratch = platform::GetScratchFolder();
  if (scratch.empty()) return false;
  std::error_code error;
  if (std::filesystem::equivalent(outPath.parent_path(), scratch, error)) return write(outPath);
  if (!platform::ResolveOutputTarget(outPath)) return false;
  static std::atomic<unsigned> counter{0};
  const std::filesystem::path temp = scratch / ("docsmith-out-" + std::to_string(counter++) + ".pdf");
  std::filesystem::remove(temp, error);
  const bool ok = write(temp) && platform::PlaceUserFile(outPath, temp);
  std::filesystem::remove(temp, error);
  return ok;
}

/// The information record of a written PDF and the strings it points into.
struct InfoFields {
  explicit InfoFields(const PdfInfoSource& info)
      : creator(PdfInfoCreator()),
        producer(PdfInfoProducer()),
        date(PdfInfoDate(info.when ? *info.when : std::time(nullptr))),
        record{info.title.c_str(), info.address.c_str(), "", "", creator.c_str(),
               producer.c_str(), date.c_str(), date.c_str()} {}
  InfoFields(const InfoFields&) = delete;
  InfoFields& operator=(const InfoFields&) = delete;
  const std::string creator;
  const std::string producer;
  const std::string date;
  const DocsmithInfo record;
};

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
  bool failed = false;
  const bool ok = WriteThroughScratch(outPath, [&](const std::filesystem::path& out) {
    const DocsmithDocument first(*library, pdf1);
    const DocsmithDocument second(*library, pdf2);
    failed = library->combinePdf(first.Handle(), second.Handle(), out.c_str()) != 1;
    return !failed;
  });
  // A join that did not happen must not pass for one: the caller would go on
  // with whatever an earlier run left at outPath.
  if (failed) platform::ShowMessage(StringId::PdfCreateFailed, "[Combine PDF]\n", MsgIcon::Error);
  return ok;
}

bool JoinPdfFileList(const std::vector<std::filesystem::path>& inputs, const std::filesystem::path& outPath,
                     const PdfInfoSource& info) {
  const std::unique_ptr<DocsmithLibrary> library = LoadLibraryOrSay();
  if (!library) return false;
  const InfoFields fields(info);
  std::vector<const char*> paths;
  for (const std::filesystem::path& input : inputs) paths.push_back(input.c_str());
  bool failed = false;
  const bool ok = WriteThroughScratch(outPath, [&](const std::filesystem::path& out) {
    failed = library->combinePdfList(paths.data(), static_cast<int>(paths.size()), &fields.record, out.c_str()) != 1;
    return !failed;
  });
  if (failed) platform::ShowMessage(StringId::PdfCreateFailed, "[Combine PDF]\n", MsgIcon::Error);
  return ok;
}

bool AddPdfInfo(const std::filesystem::path& srcPath, const std::filesystem::path& dstPath,
                const PdfInfoSource& info) {
  const std::unique_ptr<DocsmithLibrary> library = LoadLibraryOrSay();
  if (!library) return false;
  const InfoFields fields(info);
  bool failed = false;
  const bool ok = WriteThroughScratch(dstPath, [&](const std::filesystem::path& out) {
    const DocsmithDocument document(*library, srcPath);
    failed = library->writePdfInfo(document.Handle(), &fields.record, out.c_str()) != 1;
    return !failed;
  });
  if (failed) platform::ShowMessage(StringId::PdfInfoWriteFailed, {}, MsgIcon::Error);
  return ok;
}

}  // namespace plume::convert
