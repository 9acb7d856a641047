// Exporting every page of a document as one PDF: the whole export (paint,
// JPEG, one-page PDF each, one join of all) for 10 to 100 pages; its join
// alone; the earlier join of one page at a time; and, for comparison, one
// qpdf run joining the same one-page files at once.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "convert/CJpg2Pdf.h"
#include "output/ChartExport.h"
#include "convert/DocsmithLibrary.h"
#include "convert/PdfHelper.h"
#include "output/ui/QtPageBitmapRenderer.h"
#include "platform/MemorySettingsStore.h"
#include "platform/qt/QtScratchSurface.h"

namespace {

namespace fs = std::filesystem;
using namespace plume;

fs::path Scratch() {
  static const fs::path folder = [] {
    const fs::path f = fs::temp_directory_path() / "plume-export-bench";
    fs::create_directories(f);
    return f;
  }();
  return folder;
}

// `pages` pages of 1000 x 1000, six titled nodes each.
std::unique_ptr<document::ChartDocument> MakeDocument(int pages) {
  auto doc = document::ChartDocument::Create();
  doc->NewDocument();
  for (int p = 0; p < pages; ++p) {
    if (p > 0) {
      document::ChartDocument::InitPage(doc->pages[p], doc->NewPageId(), "page");
      doc->header.pageCount = static_cast<std::uint16_t>(p + 1);
    }
    doc->header.currentPage = static_cast<std::uint16_t>(p);
    for (int n = 0; n < 6; ++n)
      doc->AddNode({.dataType = "PDF", .title = "node " + std::to_string(n), .x = 60 + 150 * n, .y = 80 + 120 * n});
  }
  doc->header.currentPage = 0;
  return doc;
}

struct Session {
  std::unique_ptr<document::ChartDocument> doc;
  platform::MemorySettingsStore settings;
  chartview::WindowlessHost host;
  output::ui::QtPageBitmapRenderer renderer{settings};
  std::unique_ptr<chartview::ChartView> view;
  std::unique_ptr<output::ChartExport> exporter;

  explicit Session(int pages, int threads = 0) : doc(MakeDocument(pages)) {
    view = std::make_unique<chartview::ChartView>(*doc, settings, host);
    output::ChartExportServices services;
    services.renderer = &renderer;
    services.threads = threads;
    exporter = std::make_unique<output::ChartExport>(*view, settings, nullptr, std::move(services));
  }
};

// One-page PDFs of the document's pages, made once per page count.
std::vector<fs::path> OnePageFiles(int pages) {
  Session session(pages);
  std::vector<fs::path> files;
  convert::CJpg2Pdf writer;
  writer.SetSuccessLine(false);
  for (int i = 0; i < pages; ++i) {
    const fs::path jpeg = Scratch() / "page.jpg";
    const fs::path pdf = Scratch() / ("page" + std::to_string(i) + ".pdf");
    if (!session.exporter->RenderPageToJpeg(i, jpeg) || !writer.Convert(pdf, jpeg)) return {};
    files.push_back(pdf);
  }
  return files;
}

// threads 1: pages one after another on the calling thread; 0: one thread per core.
void BM_ExportAllPages(benchmark::State& state) {
  Session session(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const fs::path out = Scratch() / "export.pdf";
  for (auto _ : state)
    if (!session.exporter->WritePdf(true, out)) state.SkipWithError("export failed");
  state.counters["pdf_bytes"] = static_cast<double>(fs::file_size(out));
}
BENCHMARK(BM_ExportAllPages)
    ->ArgsProduct({{10, 20, 50, 100}, {1, 0}})
    ->ArgNames({"pages", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The join part of the export alone: page after page into alternating files, then the information.
void BM_JoinOneAtATime(benchmark::State& state) {
  const std::vector<fs::path> files = OnePageFiles(static_cast<int>(state.range(0)));
  if (files.empty()) return state.SkipWithError("no pages");
  const fs::path even = Scratch() / "tmp2.pdf", odd = Scratch() / "tmp3.pdf";
  for (auto _ : state) {
    fs::path acc = files[0];
    for (std::size_t i = 1; i < files.size(); ++i) {
      const fs::path& out = i % 2 ? odd : even;
      if (!convert::JoinPdfFiles(acc, files[i], out)) return state.SkipWithError("join failed");
      acc = out;
    }
    if (!convert::AddPdfInfo(acc, Scratch() / "joined.pdf", {})) return state.SkipWithError("info failed");
  }
}
BENCHMARK(BM_JoinOneAtATime)->Arg(10)->Arg(20)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

// The export's join: every one-page file in one pass, with the information.
void BM_JoinListOnce(benchmark::State& state) {
  const std::vector<fs::path> files = OnePageFiles(static_cast<int>(state.range(0)));
  if (files.empty()) return state.SkipWithError("no pages");
  for (auto _ : state)
    if (!convert::JoinPdfFileList(files, Scratch() / "joined.pdf", {})) return state.SkipWithError("join failed");
}
BENCHMARK(BM_JoinListOnce)->Arg(10)->Arg(20)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

// One qpdf run over the same one-page files (process start included).
void BM_QpdfJoinOnce(benchmark::State& state) {
  const std::vector<fs::path> files = OnePageFiles(static_cast<int>(state.range(0)));
  if (files.empty()) return state.SkipWithError("no pages");
  std::string command = "qpdf --empty --pages";
  for (const fs::path& f : files) command += " '" + f.string() + "'";
  command += " -- '" + (Scratch() / "qpdf.pdf").string() + "'";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) return state.SkipWithError("qpdf failed");
}
BENCHMARK(BM_QpdfJoinOnce)->Arg(10)->Arg(20)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
