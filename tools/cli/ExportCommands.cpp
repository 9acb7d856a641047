// export-pdf and export-image: chart pages written out as the program's
// export commands write them (page images through the Qt canvas, one-page
// PDFs joined one page at a time through the PDF helper library).

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "CliCommands.h"
#include "output/ChartExport.h"
#include "output/ui/QtPageBitmapRenderer.h"
#include "document/ChartFile.h"
#include "platform/MemorySettingsStore.h"
#include "platform/qt/QtPictureCodec.h"
#include "platform/qt/QtScratchSurface.h"

namespace plume::cli {
namespace {

namespace fs = std::filesystem;
using document::ChartDocument;

// The document, a view on it and the export, as the program puts them together.
struct ExportSession {
  std::unique_ptr<ChartDocument> doc = ChartDocument::Create();
  platform::MemorySettingsStore settings;
  chartview::WindowlessHost host;
  platform::QtScratchSurface scratch;
  output::ui::QtPageBitmapRenderer renderer{settings};
  std::unique_ptr<chartview::ChartView> view;
  std::unique_ptr<output::ChartExport> exporter;

  bool Open(std::string_view path, const platform::PictureCodec& pictures) {
    if (!doc) return false;
    doc->NewDocument();
    if (!OpenChartFile(*doc, path, pictures)) return false;
    view = std::make_unique<chartview::ChartView>(*doc, settings, host, &scratch);
    output::ChartExportServices services;
    services.renderer = &renderer;
    exporter = std::make_unique<output::ChartExport>(*view, settings, &scratch, std::move(services));
    return true;
  }
};

int ExportPdfUsage() {
  std::cerr << "usage: plumeboard-tool export-pdf DOC OUT.pdf [--page N | --all]\n";
  return 2;
}

int ExportImageUsage() {
  std::cerr << "usage: plumeboard-tool export-image DOC OUT.jpeg [--zoom PERCENT]\n";
  return 2;
}

}  // namespace

int RunExportPdf(const std::vector<std::string_view>& args, const ToolCodecs& codecs) {
  int page = 0;  // 1-based; 0: the document's current page
  bool all = false;
  if (args.size() == 3 && args[2] == "--all") {
    all = true;
  } else if (args.size() == 4 && args[2] == "--page") {
    if (!ParseInt(args[3], page) || page < 1) return ExportPdfUsage();
  } else if (args.size() != 2) {
    return ExportPdfUsage();
  }
  ExportSession session;
  if (!session.Open(args[0], codecs.pictures)) return 1;
  ChartDocument& doc = *session.doc;
  if (page > doc.header.pageCount) {
    std::cerr << "plumeboard-tool: the document has " << doc.header.pageCount << " page(s)\n";
    return 1;
  }
  if (page > 0) doc.header.currentPage = static_cast<std::uint16_t>(page - 1);
  return session.exporter->WritePdf(all, fs::absolute(fs::path(args[1]))) ? 0 : 1;
}

int RunExportImage(const std::vector<std::string_view>& args, const ToolCodecs& codecs) {
  int zoom = 100;
  if (args.size() == 4 && args[2] == "--zoom") {
    if (!ParseInt(args[3], zoom) || zoom < 8 || zoom > 400) return ExportImageUsage();
  } else if (args.size() != 2) {
    return ExportImageUsage();
  }
  ExportSession session;
  if (!session.Open(args[0], codecs.pictures)) return 1;
  session.view->SetZoom(static_cast<float>(zoom) / 100.0f);
  return session.exporter->WriteImage(fs::absolute(fs::path(args[1])), false) ? 0 : 1;
}

}  // namespace plume::cli
