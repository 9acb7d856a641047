// Printing a 5000 x 5000 page with 10,000 nodes into a PDF (A4 portrait at
// 300 dpi, 25/10/25/10 mm: every sheet of the grid, and the whole page on one
// sheet), against exporting the same page with the PDF export. Run by hand:
// build/bench/print_bench.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPrinter>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "output/ChartExport.h"
#include "convert/DocsmithLibrary.h"
#include "output/ui/QtPageBitmapRenderer.h"
#include "platform/Cp932.h"
#include "platform/MemorySettingsStore.h"
#include "platform/qt/QtPaperSize.h"
#include "output/ui/ChartPagePaint.h"
#include "output/ui/ChartPrinter.h"

namespace {

namespace fs = std::filesystem;
using namespace plume;

constexpr int kPage = 5000;

fs::path Scratch() {
  static const fs::path folder = [] {
    const fs::path f = fs::temp_directory_path() / "plume-print-bench";
    fs::create_directories(f);
    return f;
  }();
  return folder;
}

// 10,000 titled nodes on a 100 x 100 grid of the page.
std::unique_ptr<document::ChartDocument> MakePage() {
  auto doc = document::ChartDocument::Create();
  doc->NewDocument();
  doc->pages[0].pageWidth = kPage;
  doc->pages[0].pageHeight = kPage;
  const std::string title = platform::Utf8ToCp932("ノード");
  for (int i = 0; i < document::ChartDocument::kMaxNodes; ++i) {
    document::NodeRecord& n = doc->nodes[i];
    n = document::NodeRecord{};
    n.nodeId = i + 1;
    const int x = (i % 100) * 50, y = (i / 100) * 50;
    n.rect = {x + 5, y + 5, x + 45, y + 30};
    n.pageId = 1;
    n.transColor = document::kNoColor;
    platform::CopyToField(n.title, title + std::to_string(i));
    n.style = document::DefaultItemStyle();
  }
  doc->nodeCount = document::ChartDocument::kMaxNodes;
  return doc;
}

void BM_PrintToPdf(benchmark::State& state) {
  const bool allOne = state.range(0) == 1;
  auto doc = MakePage();
  platform::MemorySettingsStore settings;
  const fs::path out = Scratch() / "print.pdf";
  int sheets = 0;
  for (auto _ : state) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(out.string()));
    printer.setResolution(300);
    printer.setPageSize(platform::ToQPageSize(9));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    const output::PrinterMetrics metrics = output::ui::MetricsOf(printer);
    output::ui::PrintRequest request;
    request.page = {kPage, kPage};
    request.allOne = allOne;
    request.grid = output::ComputeSheetGrid(request.page, 96, 96, output::PaperWidthMm(metrics),
                                           output::PaperHeightMm(metrics), request.margins, allOne);
    request.sheets = output::SheetsToPrint(output::PrintRange::All, allOne, request.grid.Count(), 1, 1, 1);
    sheets = output::ui::PrintSheets(printer, request, output::ui::ChartPagePaint(*doc, 0, settings, nullptr));
    if (sheets < 1) return state.SkipWithError("print failed");
  }
  state.counters["sheets"] = sheets;
  state.counters["pdf_bytes"] = static_cast<double>(fs::file_size(out));
}
BENCHMARK(BM_PrintToPdf)->Arg(0)->Arg(1)->ArgName("allOne")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExportPdf(benchmark::State& state) {
  auto doc = MakePage();
  platform::MemorySettingsStore settings;
  chartview::WindowlessHost host;
  output::ui::QtPageBitmapRenderer renderer{settings};
  chartview::ChartView view(*doc, settings, host);
  output::ChartExportServices services;
  services.renderer = &renderer;
  services.workFolder = [] { return Scratch(); };
  output::ChartExport exporter(view, settings, nullptr, std::move(services));
  const fs::path out = Scratch() / "export.pdf";
  for (auto _ : state)
    if (!exporter.WritePdf(false, out)) return state.SkipWithError("export failed");
  state.counters["pdf_bytes"] = static_cast<double>(fs::file_size(out));
}
BENCHMARK(BM_ExportPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
