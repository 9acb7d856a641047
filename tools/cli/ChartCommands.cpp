// dump, rewrite and demo: chart data files from the command line.

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "ChartJson.h"
#include "CliCommands.h"
#include "document/ChartFile.h"
#include "document/DemoChart.h"
#include "platform/FileDescriptor.h"
#include "platform/UserOutput.h"
#include "platform/Messages.h"

namespace plume::cli {
namespace {

using document::ChartDocument;

}  // namespace

bool OpenChartFile(ChartDocument& doc, std::string_view path, const platform::PictureCodec& pictures) {
  if (IsDocumentFile(path)) return OpenDocumentFile(doc, path, pictures);
  // A FIFO or a device would block the read or never end it.
  if (!platform::IsRegularFile(std::string(path))) {
    platform::ShowMessage(platform::StringId::NotARegularFile, std::string(path) + "\n");
    return false;
  }
  std::ifstream in(std::string(path), std::ios::binary);
  if (!in) {
    std::cerr << "plumeboard-tool: cannot open " << path << ": " << std::strerror(errno) << "\n";
    return false;
  }
  return document::ReadChart(doc, in, pictures);
}

namespace {

bool Save(ChartDocument& doc, std::string_view path, const platform::PictureCodec& pictures) {
  if (IsDocumentFile(path)) return SaveDocumentFile(doc, path, pictures);
  return platform::WriteUserFile(std::string(path), [&doc](std::ostream& out) { return document::WriteChart(doc, out); });
}

std::unique_ptr<ChartDocument> NewDoc() {
  auto doc = ChartDocument::Create();
  if (doc) doc->NewDocument();
  return doc;
}

}  // namespace

int RunDump(const std::vector<std::string_view>& args, const ToolCodecs& codecs) {
  auto doc = NewDoc();
  if (!doc || !OpenChartFile(*doc, args[0], codecs.pictures)) return 1;
  std::cout << ChartToJson(*doc).dump(2) << "\n";
  return 0;
}

int RunRewrite(const std::vector<std::string_view>& args, const ToolCodecs& codecs) {
  auto doc = NewDoc();
  return doc && OpenChartFile(*doc, args[0], codecs.pictures) && Save(*doc, args[1], codecs.pictures) ? 0 : 1;
}

int RunDemo(const std::vector<std::string_view>& args, const ToolCodecs& codecs) {
  auto doc = NewDoc();
  if (!doc) return 1;
  document::FillSmallDemoChart(*doc, codecs.pixels);
  return Save(*doc, args[0], codecs.pictures) ? 0 : 1;
}

}  // namespace plume::cli
