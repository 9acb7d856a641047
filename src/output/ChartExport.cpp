#include "output/ChartExport.h"

#include <cmath>

#include "convert/CJpg2Pdf.h"
#include "chartview/PagePainter.h"
#include "chartview/PaintChartPage.h"
#include "chartview/PreparePage.h"
#include "output/PageWriters.h"
#include "platform/UserOutput.h"
#include "platform/WorkFolder.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"
#include "platform/SettingsTable.h"

namespace plume::output {

namespace fs = std::filesystem;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using platform::ShowMessage;
using platform::StringId;

namespace {

constexpr const char* kJpegType = "JPEG";

// The text after the last "." (the whole text without one), upper-cased.
std::string UpperExtension(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  std::string ext = dot == std::string::npos ? path : path.substr(dot + 1);
  for (char& c : ext)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return ext;
}

// The page name as a file name to propose: UTF-8, no folder separators.
std::string ProposedName(const document::PageRecord& page) {
  std::string name = platform::Cp932ToUtf8(platform::FieldText(page.pageName));
  for (char& c : name)
    if (c == '/') c = '_';
  return name;
}

}  // namespace

bool PageBitmapFits(platform::Size size) {
  if (static_cast<long long>(size.cx) * size.cy <= kMaxPagePixels) return true;
  ShowMessage(StringId::PageTooLarge, std::to_string(size.cx) + " x " + std::to_string(size.cy) + "\n", MsgIcon::Error);
  return false;
}

ChartExport::ChartExport(chartview::ChartView& view, platform::SettingsStore& settings,
                         platform::ScratchSurface* scratch, ChartExportServices services)
    : view_(view), doc_(view.Document()), settings_(settings), scratch_(scratch), services_(std::move(services)) {
  if (!services_.pdf.convert) {
    services_.pdf.convert = [](const fs::path& pdf, const fs::path& jpeg) {
      convert::CJpg2Pdf writer;
      writer.SetSuccessLine(false);
      writer.SetScratchOutput(true);  // every PDF the export converts is one of its scratch files
      return writer.Convert(pdf, jpeg);
    };
  }
  if (!services_.pdf.joinAll) services_.pdf.joinAll = convert::JoinPdfFileList;
  if (!services_.pdf.addInfo) services_.pdf.addInfo = convert::AddPdfInfo;
}

bool ChartExport::RunCommand(int id) {
  switch (id) {
    case kCmdPagePdf: ExportPagesAsPdf(false); return true;
    case kCmdAllPagesPdf:
    case kCmdPdfSave: ExportPagesAsPdf(true); return true;
    case kCmdFileImage: SavePageAsImage(); return true;
    default: return false;
  }
}

void ChartExport::PaintPage(platform::Canvas& canvas, int pageIndex, float zoom) {
  // The exported page shows every text, also of an item being edited in place; the view's
  // title rectangles and link markers stay those of the window's last paint. What the
  // preparing step changes (default sizes, undrawable pictures) is marked like any edit.
  if (chartview::PaintChartPage(doc_, canvas, chartview::PageParams(settings_, scratch_, pageIndex, zoom)))
    doc_.Changes().MarkModified();
}

bool ChartExport::RenderPageToJpeg(int pageIndex, const fs::path& jpegPath) {
  if (services_.renderer == nullptr || pageIndex < 0 || pageIndex >= doc_.header.pageCount) return false;
  const document::PageRecord& page = doc_.pages[pageIndex];
  if (!PageBitmapFits({page.pageWidth, page.pageHeight})) return false;
  // The bitmap has the page's size at 100 %, so the page is painted at 100 %:
  // at another zoom the page would be cut off or leave an empty border.
  return services_.renderer->RenderToFile(
      {page.pageWidth, page.pageHeight},
      [&](platform::Canvas& canvas) { PaintPage(canvas, pageIndex, 1.0f); }, jpegPath, kJpegType);
}

fs::path ChartExport::WorkFolder() const {
  return services_.workFolder ? services_.workFolder() : platform::GetScratchFolder();
}

convert::PdfInfoSource ChartExport::PdfInfo() const { return services_.pdfInfo ? services_.pdfInfo() : convert::PdfInfoSource{}; }

std::optional<fs::path> ChartExport::AskSaveFile(const platform::SaveFileRequest& request) const {
  if (services_.dialogs == nullptr) return std::nullopt;
  return services_.dialogs->AskSaveFile(request);
}

bool ChartExport::ExportPagesAsPdf(bool allPages) {
  if (allPages) {
    const MsgResult answer = ShowMessage(StringId::AllPagesAsk, {}, MsgIcon::Question, MsgButtons::YesNoCancel);
    if (answer == MsgResult::Cancel) return false;
    if (answer == MsgResult::No) allPages = false;
  }
  platform::SaveFileRequest request;
  request.title = "保存するPDFファイルを指定";
  request.filter = "PDF File|*.PDF||";
  request.defaultExtension = "PDF";
  if (!allPages && doc_.header.pageCount > 0) request.initialName = ProposedName(doc_.CurrentPage());
  request.hideReadOnly = true;
  request.confirmOverwrite = false;
  const std::optional<fs::path> chosen = AskSaveFile(request);
  if (!chosen) return false;
  if (UpperExtension(chosen->string()) != "PDF") {
    ShowMessage(StringId::PdfFileRequired, {}, MsgIcon::Error);
    return false;
  }
  return WritePdf(allPages, *chosen);
}

bool ChartExport::WritePdf(bool allPages, const fs::path& outPath) {
  if (doc_.header.pageCount < 1) return false;
  const fs::path folder = WorkFolder();
  if (folder.empty()) return false;
  if (allPages && doc_.header.pageCount > 1) return RunPdfStepsAllPages(folder, outPath);
  const fs::path jpeg = folder / "tmp.jpg";
  const fs::path single = folder / "tmp3.pdf";
  return RenderPageToJpeg(doc_.header.currentPage, jpeg) && services_.pdf.convert(single, jpeg) &&
         services_.pdf.addInfo(single, outPath, PdfInfo());
}

bool ChartExport::RunPdfStepsAllPages(const fs::path& folder, const fs::path& outPath) {
  // Refused targets are refused before the pages are painted.
  if (!platform::ResolveOutputTarget(outPath)) return false;
  const int total = doc_.header.pageCount;
  std::vector<fs::path> pages, jpegs;
  // The page files go however the export ends (after the threads have ended).
  struct Cleanup {
    std::vector<fs::path>& pages;
    std::vector<fs::path>& jpegs;
    ~Cleanup() {
      std::error_code ignored;
      for (const fs::path& file : pages) fs::remove(file, ignored);
      for (const fs::path& file : jpegs) fs::remove(file, ignored);
    }
  } cleanup{pages, jpegs};
  const int threads = std::min(total, services_.threads > 0 ? services_.threads : PageWriters::DefaultThreads());
  if (threads > 1 && services_.renderer && services_.renderer->ForThread()) {
    if (!WritePagesOnThreads(folder, threads, pages, jpegs)) return false;
  } else {
    const fs::path jpeg = folder / "tmp.jpg";
    for (int i = 0; i < total; ++i) {
      if (services_.progress && !services_.progress(i, total)) return false;
      pages.push_back(folder / ("page" + std::to_string(i + 1) + ".pdf"));
      if (!RenderPageToJpeg(i, jpeg) || !services_.pdf.convert(pages.back(), jpeg)) return false;
    }
  }
  if (services_.progress && !services_.progress(total, total)) return false;
  return services_.pdf.joinAll(pages, outPath, PdfInfo());
}

bool ChartExport::WritePagesOnThreads(const fs::path& folder, int threads, std::vector<fs::path>& pages,
                                      std::vector<fs::path>& jpegs) {
  const int total = doc_.header.pageCount;
  // Every page is checked and prepared here, before any thread paints: painting only reads the document.
  long long largest = 1;
  for (int i = 0; i < total; ++i) {
    const platform::Size size{doc_.pages[i].pageWidth, doc_.pages[i].pageHeight};
    if (!PageBitmapFits(size)) return false;
    largest = std::max(largest, static_cast<long long>(size.cx) * size.cy);
  }
  const chartview::PaintParams base = chartview::PageParams(settings_, nullptr, 0, 1.0f);
  bool changed = false;
  const bool prepared = services_.renderer->Paint({1, 1}, [&](platform::Canvas& canvas) {
    for (int i = 0; i < total; ++i) {
      chartview::PaintParams params = base;
      params.pageIndex = i;
      params.scratch = scratch_;
      changed |= chartview::PreparePage(doc_, canvas, params);
    }
  });
  if (changed) doc_.Changes().MarkModified();
  if (!prepared) return false;
  // The bitmaps being painted at once stay within one largest page bitmap.
  threads = static_cast<int>(std::min<long long>(threads, std::max(1LL, kMaxPagePixels / largest)));
  std::vector<PageBitmapRenderer::PageThread> painters;
  for (int t = 0; t < threads; ++t) painters.push_back(*services_.renderer->ForThread());
  for (int i = 0; i < total; ++i) {
    pages.push_back(folder / ("page" + std::to_string(i + 1) + ".pdf"));
    jpegs.push_back(folder / ("page" + std::to_string(i + 1) + ".jpg"));
  }
  // Pages go to the threads a few at a time, and the progress (which lets the
  // window handle its events) is told only while no thread paints: nothing can
  // change the document under the painting.
  PageWriters writers(threads);
  const int batch = 4 * threads;
  for (int i = 0; i < total; ++i) {
    if (i % batch == 0) {
      if (i > 0 && !writers.Finish()) return false;
      if (services_.progress && !services_.progress(i, total)) return false;
    }
    const bool queued = writers.Add(i, [&, i](int thread) {
      PageBitmapRenderer::PageThread& painter = painters[thread];
      chartview::PaintParams params = base;
      params.pageIndex = i;
      params.scratch = scratch_ ? painter.scratch.get() : nullptr;
      const platform::Size size{doc_.pages[i].pageWidth, doc_.pages[i].pageHeight};
      return painter.renderer->RenderToFile(
                 size, [&](platform::Canvas& canvas) { chartview::DrawPage(doc_, canvas, params); }, jpegs[i],
                 kJpegType) &&
             services_.pdf.convert(pages[i], jpegs[i]);
    });
    if (!queued) break;
  }
  return writers.Finish();
}

platform::Size ChartExport::ImageSize(bool at100) const {
  if (doc_.header.pageCount < 1) return {};
  const document::PageRecord& page = doc_.CurrentPage();
  if (at100) return {page.pageWidth, page.pageHeight};
  const double zoom = view_.Zoom();
  return {static_cast<int>(std::trunc(page.pageWidth * zoom)), static_cast<int>(std::trunc(page.pageHeight * zoom))};
}

bool ChartExport::SavePageAsImage() {
  if (doc_.header.pageCount < 1) return false;
  platform::SaveFileRequest request;
  request.title = "保存するファイルを指定";
  request.filter = "JPEGファイル(*.jpeg)|*.jpeg||";
  request.defaultExtension = "jpeg";
  request.initialName = ProposedName(doc_.CurrentPage());
  request.hideReadOnly = true;
  request.confirmOverwrite = false;
  const std::optional<fs::path> chosen = AskSaveFile(request);
  if (!chosen) return false;
  std::error_code ec;
  if (fs::exists(*chosen, ec) &&
      ShowMessage(StringId::OverwriteFileAsk, {}, MsgIcon::Question, MsgButtons::YesNo) != MsgResult::Yes)
    return false;
  bool at100 = false;
  if (view_.Zoom() != 1.0f) {
    const MsgResult answer = ShowMessage(StringId::SaveAtZoomAsk, {}, MsgIcon::Question, MsgButtons::YesNoCancel);
    if (answer == MsgResult::Cancel) return false;
    at100 = answer == MsgResult::No;
  }
  if (!WriteImage(*chosen, at100)) return false;
  if (ShowMessage(StringId::SavedShowFolderAsk, {}, MsgIcon::Question, MsgButtons::YesNo) == MsgResult::Yes) {
    const fs::path folder = chosen->parent_path();
    if (services_.folders == nullptr || folder.empty() || !services_.folders->OpenFolder(folder))
      ShowMessage(StringId::FileBrowserStartFailed, {}, MsgIcon::Error);
  }
  return true;
}

bool ChartExport::WriteImage(const fs::path& path, bool at100) {
  if (services_.renderer == nullptr || doc_.header.pageCount < 1) return false;
  if (!PageBitmapFits(ImageSize(at100)) || !platform::ResolveOutputTarget(path)) return false;
  const fs::path folder = WorkFolder();
  if (folder.empty()) return false;
  // The encoder writes by path: into the scratch folder, then put in place.
  const fs::path image = folder / "image.jpg";
  std::error_code error;
  fs::remove(image, error);
  const int pageIndex = doc_.header.currentPage;
  const float zoom = at100 ? 1.0f : view_.Zoom();
  bool cleared = false;
  const bool ok = services_.renderer->RenderToFile(
      ImageSize(at100),
      [&](platform::Canvas& canvas) {
        for (int i = 0; i < doc_.nodeCount; ++i) doc_.nodeStates[i].selected = 0;
        cleared = true;
        PaintPage(canvas, pageIndex, zoom);
      },
      image, kJpegType);
  // The window still shows the selection marks the export has taken away.
  if (cleared) view_.RequestRepaint();
  const bool placed = ok && platform::PlaceUserFile(path, image);
  fs::remove(image, error);
  return placed;
}

}  // namespace plume::output
