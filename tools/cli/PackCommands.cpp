// pack and unpack: document files (.pbd cabinets) from the command line, and
// the .pbd side of dump and rewrite, through the program's own open and save.
// Settings come from a private in-memory store (MakeBackup 1), so a document
// that is written over keeps its "(back).PBD" backup as in the program.

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "CliCommands.h"
#include "document/CTesselDoc.h"
#include "document/ChartFile.h"
#include "document/ShoriJob.h"
#include "platform/MemorySettingsStore.h"
#include "platform/cab/GcabCabinet.h"
#include "platform/HasExtension.h"

namespace plume::cli {
namespace {

namespace fs = std::filesystem;

// The flows split paths at their last "/", so relative paths are made whole first.
fs::path Absolute(std::string_view path) {
  std::error_code error;
  fs::path whole = fs::absolute(fs::path(path), error);
  return error ? fs::path(path) : whole;
}

// A chart data file, or a document file when the name says so.
bool LoadChart(document::ChartDocument& doc, std::string_view path, const platform::PictureCodec& pictures) {
  if (IsDocumentFile(path)) return OpenDocumentFile(doc, path, pictures);
  std::ifstream in(Absolute(path), std::ios::binary);
  if (!in) {
    std::cerr << "plumeboard-tool: cannot open " << path << "\n";
    return false;
  }
  return document::ReadChart(doc, in, pictures);
}

}  // namespace

bool IsDocumentFile(std::string_view path) {
  return platform::HasExtension(fs::path(path), "pbd");
}

bool OpenDocumentFile(document::ChartDocument& doc, std::string_view path, const platform::PictureCodec& pictures) {
  platform::MemorySettingsStore settings;
  platform::GcabCabinet cabinet;
  document::CTesselDoc tessel(doc, settings, cabinet, pictures);
  return tessel.OpenDocument(Absolute(path));
}

bool SaveDocumentFile(document::ChartDocument& doc, std::string_view path, const platform::PictureCodec& pictures) {
  platform::MemorySettingsStore settings;
  platform::GcabCabinet cabinet;
  document::CTesselDoc tessel(doc, settings, cabinet, pictures);
  return tessel.SaveDocument(Absolute(path));
}

int RunPack(const std::vector<std::string_view>& args, const ToolCodecs& codecs) {
  auto doc = document::ChartDocument::Create();
  if (!doc) return 1;
  doc->NewDocument();
  // The chart is read and checked first, so only a readable chart is packed.
  return LoadChart(*doc, args[0], codecs.pictures) && SaveDocumentFile(*doc, args[1], codecs.pictures) ? 0 : 1;
}

int RunUnpack(const std::vector<std::string_view>& args, const ToolCodecs& /*codecs*/) {
  const fs::path cabinet = Absolute(args[0]);
  const fs::path folder = Absolute(args[1]);
  platform::GcabCabinet service;
  document::ShoriJob job =
      document::ShoriJob::Unpack(service, folder, cabinet.filename().string(), cabinet.parent_path());
  if (!job.Run()) return 1;
  for (const fs::path& file : job.Extracted()) std::cout << file.string() << "\n";
  return 0;
}

}  // namespace plume::cli
