#pragma once

#include <charconv>
#include <system_error>
// The commands of plumeboard-tool. Each command lives in its own file and is
// listed once in the table in main.cpp.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Picture.h"
#include "platform/PixelCodec.h"
#include "store/MaterialScan.h"

namespace plume::document {
class ChartDocument;
}

namespace plume::cli {

/// The picture codecs of the process: main builds them once and hands them to the command it runs.
struct ToolCodecs {
  const platform::PictureCodec& pictures;  ///< pictures read from charts and documents
  const platform::PixelCodec& pixels;      ///< plain pixels, and the node picture loader's codec
};

struct CliCommand {
  std::string_view name;
  std::string_view usage;  ///< arguments and a one-line description
  int minArgs;             ///< arguments after the command name
  int maxArgs;
  int (*run)(const std::vector<std::string_view>& args, const ToolCodecs& codecs);
};

int RunDump(const std::vector<std::string_view>& args, const ToolCodecs& codecs);
int RunRewrite(const std::vector<std::string_view>& args, const ToolCodecs& codecs);
int RunDemo(const std::vector<std::string_view>& args, const ToolCodecs& codecs);
int RunPack(const std::vector<std::string_view>& args, const ToolCodecs& codecs);
int RunUnpack(const std::vector<std::string_view>& args, const ToolCodecs& codecs);
/// Document files (.pbd, any case) through the program's open and save (PackCommands.cpp).
bool IsDocumentFile(std::string_view path);
/// A document file through the program's open flow, anything else as a chart
/// data file; only a regular file is read (ChartCommands.cpp).
bool OpenChartFile(document::ChartDocument& doc, std::string_view path, const platform::PictureCodec& pictures);
/// A whole decimal number, nothing before or after it.
inline bool ParseInt(std::string_view s, int& out) {
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && end == s.data() + s.size();
}
bool OpenDocumentFile(document::ChartDocument& doc, std::string_view path, const platform::PictureCodec& pictures);
bool SaveDocumentFile(document::ChartDocument& doc, std::string_view path, const platform::PictureCodec& pictures);
int RunRender(const std::vector<std::string_view>& args, const ToolCodecs& codecs);
int RunJpg2Pdf(const std::vector<std::string_view>& args, const ToolCodecs& codecs);
int RunTxt2Pdf(const std::vector<std::string_view>& args, const ToolCodecs& codecs);
int RunStore(const std::vector<std::string_view>& args, const ToolCodecs& codecs);
/// store search: the material search (SearchCommand.cpp).
int RunStoreSearch(const std::vector<std::string_view>& args);
/// store index STOREPATH [--no-fulltext]: builds or catches up the material index.
int RunStoreIndex(const std::vector<std::string_view>& args);
/// The search of the window's dialog through the material index (caught up first); the scan when it cannot answer.
store::ScanResult SearchThroughIndex(const std::filesystem::path& root, store::Serial bound, int hitMax,
                                     const store::SearchConditions& conditions, store::ScanObserver& observer);
/// Chart pages as PDF and as an image, as the export commands write them (ExportCommands.cpp).
int RunExportPdf(const std::vector<std::string_view>& args, const ToolCodecs& codecs);
int RunExportImage(const std::vector<std::string_view>& args, const ToolCodecs& codecs);
/// An image file loaded as a node picture (PictureCommand.cpp).
int RunPicture(const std::vector<std::string_view>& args, const ToolCodecs& codecs);
/// A file or a web link registered as a material and a node (RegisterCommands.cpp).
int RunRegister(const std::vector<std::string_view>& args, const ToolCodecs& codecs);
/// What a dropped link would register, as JSON.
int RunUrl(const std::vector<std::string_view>& args, const ToolCodecs& codecs);
/// The text (CP932) of a PDF file registered from the command line; empty when it has none.
std::string PdfTextForRegister(const std::filesystem::path& pdf);
/// A chart page printed into a PDF file, one PDF page per sheet (PrintCommand.cpp).
int RunPrint(const std::vector<std::string_view>& args, const ToolCodecs& codecs);
/// The text of a PDF as an ODF text document (WordCommand.cpp).
int RunExportWord(const std::vector<std::string_view>& args, const ToolCodecs& codecs);
/// A web page captured into a JPEG file (CaptureCommand.cpp).
int RunCapture(const std::vector<std::string_view>& args, const ToolCodecs& codecs);

/// Page 1 of a document fitted into a square, as a PNG preview (ThumbnailCommand.cpp).
int RunThumbnail(const std::vector<std::string_view>& args, const ToolCodecs& codecs);

/// The text the HTML area hands to the text area for an address (PageTextCommand.cpp).
int RunPageText(const std::vector<std::string_view>& args, const ToolCodecs& codecs);

}  // namespace plume::cli
