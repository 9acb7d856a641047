// print: a chart page printed into a PDF file through the program's printing
// code (the Qt PDF printer), one PDF page per sheet. Writes "pagesX pagesY".

#include <QPrinter>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "CliCommands.h"
#include "document/ChartFile.h"
#include "platform/MemorySettingsStore.h"
#include "platform/qt/QtPaperSize.h"
#include "platform/qt/QtPictureCodec.h"
#include "platform/qt/QtScratchSurface.h"
#include "output/PrintLayout.h"
#include "output/ui/ChartPagePaint.h"
#include "output/ui/ChartPrinter.h"

namespace plume::cli {
namespace {

namespace fs = std::filesystem;
using document::ChartDocument;

/// The resolution pages are printed at.
constexpr int kPrintDpi = 300;
/// Page units per inch (the screen at 100 %).
constexpr int kScreenDpi = 96;

struct PrintOptions {
  int page = 0;  // 1-based; 0: the document's current page
  int paper = 9;
  int orientation = 1;
  output::Margins margins;
  bool allOne = false;
  output::PrintRange range = output::PrintRange::All;
  int first = 1;
  int last = 0;  // 0: to the last sheet
  int sheet = 1;
};

bool ParseMargins(std::string_view s, output::Margins& m) {
  int* fields[] = {&m.left, &m.right, &m.top, &m.bottom};
  for (int i = 0; i < 4; ++i) {
    const std::size_t comma = i < 3 ? s.find(',') : s.size();
    if (comma == std::string_view::npos || !ParseInt(s.substr(0, comma), *fields[i])) return false;
    s.remove_prefix(i < 3 ? comma + 1 : comma);
  }
  return true;
}

bool ParseRange(std::string_view s, PrintOptions& o) {
  if (s == "all") {
    o.range = output::PrintRange::All;
  } else if (s == "current") {
    o.range = output::PrintRange::Current;
  } else {
    const std::size_t dash = s.find('-');
    if (dash == std::string_view::npos || !ParseInt(s.substr(0, dash), o.first) ||
        !ParseInt(s.substr(dash + 1), o.last))
      return false;
    o.range = output::PrintRange::FromTo;
  }
  return true;
}

bool ParseOptions(const std::vector<std::string_view>& args, PrintOptions& o) {
  for (std::size_t i = 2; i < args.size(); ++i) {
    const std::string_view a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--all-one") {
      o.allOne = true;
    } else if (!hasValue) {
      return false;
    } else if (a == "--page") {
      if (!ParseInt(args[++i], o.page) || o.page < 1) return false;
    } else if (a == "--paper") {
      if (!ParseInt(args[++i], o.paper)) return false;
    } else if (a == "--orientation") {
      if (!ParseInt(args[++i], o.orientation)) return false;
    } else if (a == "--margins") {
      if (!ParseMargins(args[++i], o.margins)) return false;
    } else if (a == "--range") {
      if (!ParseRange(args[++i], o)) return false;
    } else if (a == "--sheet") {
      if (!ParseInt(args[++i], o.sheet)) return false;
    } else {
      return false;
    }
  }
  return true;
}

int PrintUsage() {
  std::cerr << "usage: plumeboard-tool print DOC OUT.pdf [--page N] [--paper CODE] [--orientation 1|2]"
               " [--margins L,R,T,B] [--all-one] [--range all|current|A-B] [--sheet N]\n";
  return 2;
}

}  // namespace

int RunPrint(const std::vector<std::string_view>& args, const ToolCodecs& codecs) {
  PrintOptions o;
  if (!ParseOptions(args, o)) return PrintUsage();
  auto doc = ChartDocument::Create();
  if (!doc) return 1;
  doc->NewDocument();
  if (!OpenChartFile(*doc, args[0], codecs.pictures)) return 1;
  if (o.page > doc->header.pageCount) {
    std::cerr << "plumeboard-tool: the document has " << doc->header.pageCount << " page(s)\n";
    return 1;
  }
  const int pageIndex = o.page > 0 ? o.page - 1 : doc->header.currentPage;

  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(fs::absolute(fs::path(args[1])).string()));
  printer.setResolution(kPrintDpi);
  printer.setPageSize(platform::ToQPageSize(o.paper));
  printer.setPageOrientation(output::OrientationFromSetting(o.orientation) == 2 ? QPageLayout::Landscape
                                                                              : QPageLayout::Portrait);
  printer.setPageMargins(QMarginsF(0, 0, 0, 0));
  printer.setDocName(QStringLiteral("Plumeboard"));

  const output::PrinterMetrics metrics = output::ui::MetricsOf(printer);
  const output::MinMargins min = output::MinimumMargins(metrics);
  output::Margins& m = o.margins;
  m.left = std::clamp(m.left, min.x, output::kMaxMarginMm);
  m.right = std::clamp(m.right, min.x, output::kMaxMarginMm);
  m.top = std::clamp(m.top, min.y, output::kMaxMarginMm);
  m.bottom = std::clamp(m.bottom, min.y, output::kMaxMarginMm);

  const document::PageRecord& page = doc->pages[pageIndex];
  output::ui::PrintRequest request;
  request.page = {page.pageWidth, page.pageHeight};
  request.screenDpi = kScreenDpi;
  request.margins = m;
  request.allOne = o.allOne;
  request.grid = output::ComputeSheetGrid(request.page, kScreenDpi, kScreenDpi, output::PaperWidthMm(metrics),
                                         output::PaperHeightMm(metrics), m, o.allOne);
  const int count = request.grid.Count();
  request.sheets = output::SheetsToPrint(o.range, o.allOne, count, std::clamp(o.sheet, 1, count), o.first,
                                        o.last > 0 ? o.last : count);
  std::cout << request.grid.pagesX << " " << request.grid.pagesY << "\n";
  if (request.sheets.empty()) {
    std::cerr << "plumeboard-tool: the range holds no sheet of " << count << "\n";
    return 1;
  }
  platform::MemorySettingsStore settings;
  platform::QtScratchSurface scratch;
  const int printed =
      output::ui::PrintSheets(printer, request, output::ui::ChartPagePaint(*doc, pageIndex, settings, &scratch));
  return printed > 0 ? 0 : 1;
}

}  // namespace plume::cli
