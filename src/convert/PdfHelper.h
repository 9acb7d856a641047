#pragma once
// Joining PDF files and writing their document information, through the PDF
// helper library libdocsmith.so, loaded from the executable's folder at the
// start of each operation and unloaded at its end. Files of the user's
// choosing are written under the rule of platform/UserOutput.h: the library
// writes into the scratch folder and the finished file is put in place.

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace plume::convert {

/// What AddPdfInfo writes besides the fixed creator and producer.
struct PdfInfoSource {
  std::string title;    ///< CP932: the page title of the HTML area
  std::string address;  ///< CP932: the address shown in the HTML area
  /// Creation and modification time; the time of the call when not set.
  std::optional<std::time_t> when;
};

/// "Plumeboard (Wendmoor)": the creator entry.
std::string PdfInfoCreator();
/// The producer entry naming the helper library.
std::string PdfInfoProducer();
/// `when` in local time as "%Y.%m.%d %H:%M:%S".
std::string PdfInfoDate(std::time_t when);

/// Writes the pages of `pdf1` followed by those of `pdf2` to `outPath`.
/// Without the library shows its full path and 30025; when a file cannot be
/// read or the result cannot be written shows "[Combine PDF]" and 30003.
/// Returns false in both cases.
bool JoinPdfFiles(const std::filesystem::path& pdf1, const std::filesystem::path& pdf2,
                  const std::filesystem::path& outPath);

/// Writes the pages of every file of `inputs`, in order, to `outPath` in one
/// pass, with the document information of `info` (as AddPdfInfo writes it).
/// Without the library shows its path and 30025; when a file cannot be read
/// or the result cannot be written shows "[Combine PDF]" and 30003.
bool JoinPdfFileList(const std::vector<std::filesystem::path>& inputs, const std::filesystem::path& outPath,
                     const PdfInfoSource& info);

/// Writes `srcPath` to `dstPath` with the document information of `info`
/// (title, the address as subject, creator, producer, creation and
/// modification dates). Without the library shows its path and 30025; when
/// the information cannot be written shows 30006. Returns false in both cases.
bool AddPdfInfo(const std::filesystem::path& srcPath, const std::filesystem::path& dstPath,
                const PdfInfoSource& info);

}  // namespace plume::convert
