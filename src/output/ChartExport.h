#pragma once
// Writing chart pages out of the program: the current page or all pages as one
// PDF file, and the current page as a JPEG image. Pages are painted by the
// page painter into a bitmap of their own, encoded as JPEG and wrapped into
// one-page PDFs, which are joined once, in order, with the document
// information (linear in the page count). All pages are painted on one thread
// per core where the renderer allows it: every page is prepared first on the
// calling thread (the only step that changes the document), then each thread
// paints, encodes and wraps whole pages. Scratch files in the process's
// scratch folder: tmp.jpg (page image), tmp3.pdf (a single page), page<n>.pdf
// and page<n>.jpg (page n of all pages, removed after the join), image.jpg (an
// image export before it is put in place). Every file the user chose is
// written under the rule of platform/UserOutput.h.

#include <filesystem>
#include <functional>
#include <vector>

#include "commands/CommandTable.h"
#include "output/PageBitmapRenderer.h"
#include "convert/PdfHelper.h"
#include "chartview/ChartView.h"
#include "platform/FileDialogs.h"
#include "platform/ScratchSurface.h"
#include "platform/SettingsStore.h"
#include "platform/FolderOpener.h"

namespace plume::output {

/// The PDF services the export runs; empty members take the program's own
/// (CJpg2Pdf without its success line, JoinPdfFileList, AddPdfInfo).
struct ExportPdfSteps {
  std::function<bool(const std::filesystem::path& pdf, const std::filesystem::path& jpeg)> convert;
  std::function<bool(const std::vector<std::filesystem::path>& pages, const std::filesystem::path& out,
                     const convert::PdfInfoSource& info)> joinAll;
  std::function<bool(const std::filesystem::path& src, const std::filesystem::path& dst, const convert::PdfInfoSource& info)>
      addInfo;
};

/// What the export needs besides the view. Only `renderer` is required.
struct ChartExportServices {
  PageBitmapRenderer* renderer = nullptr;
  /// File choosers; null cancels every choice.
  platform::FileDialogs* dialogs = nullptr;
  /// The file manager; null makes showing the folder fail with 30048.
  platform::FolderOpener* folders = nullptr;
  /// Title and address the HTML area shows at the moment of writing; null: both empty.
  std::function<convert::PdfInfoSource()> pdfInfo;
  /// The work folder (empty when unavailable, its message shown); null: platform::GetScratchFolder().
  std::function<std::filesystem::path()> workFolder;
  ExportPdfSteps pdf;
  /// Called before each page of an all-pages export and once all are done
  /// (done == total); false cancels the export, which then writes nothing
  /// and shows nothing. Null: never cancelled.
  std::function<bool(int done, int total)> progress;
  /// Threads that paint the pages of an all-pages export; 0: one per core.
  /// One paints them one after another on the calling thread.
  int threads = 0;
};

class ChartExport {
 public:
  /// Command ids the export answers (always enabled).
  static constexpr int kCmdPagePdf = commands::Id(commands::CommandId::ID_PAGE_PDF);      ///< page tab menu: current page (or all, on question)
  static constexpr int kCmdAllPagesPdf = commands::Id(commands::CommandId::ID_PAGE_ALL_PDF);  ///< page tab menu: all pages
  static constexpr int kCmdPdfSave = commands::Id(commands::CommandId::ID_PDF_SAVE);      ///< ribbon ID_PDF_SAVE: all pages
  static constexpr int kCmdFileImage = commands::Id(commands::CommandId::ID_FILE_IMAGE2);      ///< ribbon ID_FILE_IMAGE2: current page as an image

  /// Paints through `view`'s document with the default item sizes from
  /// `settings` and node pictures through `scratch` (null leaves them out).
  ChartExport(chartview::ChartView& view, platform::SettingsStore& settings, platform::ScratchSurface* scratch,
              ChartExportServices services);

  /// Runs one of the four export commands; false for any other id.
  bool RunCommand(int id);

  /// Paints page `pageIndex` at 100 % into a bitmap of the page's size and
  /// writes it as a JPEG file. False (message shown) when the page bitmap or
  /// the file cannot be made, or the index names no page.
  bool RenderPageToJpeg(int pageIndex, const std::filesystem::path& jpegPath);

  /// The PDF export dialogue: with `allPages` asks 30056 (No: the current
  /// page only; Cancel: stop), asks for the file (proposing the current
  /// page's name for one page), refuses a name not ending in ".PDF" (any
  /// case) with 30055, then WritePdf. True when the chosen file was written.
  bool ExportPagesAsPdf(bool allPages);
  /// Writes the current page (or, with `allPages` and more than one page,
  /// every page in order) as one PDF at `outPath`. A failing step has shown
  /// its message and leaves `outPath` unwritten; success shows nothing.
  bool WritePdf(bool allPages, const std::filesystem::path& outPath);

  /// The image export dialogue: asks for the file, 30084 before replacing a
  /// file, 30085 when the zoom is not 100 % (No: save at 100 %; Cancel:
  /// stop), writes with WriteImage and on success offers the folder (30083).
  /// True when the file was written.
  bool SavePageAsImage();
  /// Writes the current page as a JPEG at `path`: at the view's zoom (page
  /// size x zoom, truncated) or, with `at100`, at 100 %. Every node on every
  /// page loses its selection first (slips keep theirs); the zoom is not touched.
  bool WriteImage(const std::filesystem::path& path, bool at100);

  /// Size of the image WriteImage makes for the current page.
  platform::Size ImageSize(bool at100) const;

 private:
  void PaintPage(platform::Canvas& canvas, int pageIndex, float zoom);
  bool RunPdfStepsAllPages(const std::filesystem::path& folder, const std::filesystem::path& outPath);
  /// Page files of every page into `pages` (and `jpegs`), painted on up to `threads` threads.
  bool WritePagesOnThreads(const std::filesystem::path& folder, int threads, std::vector<std::filesystem::path>& pages,
                           std::vector<std::filesystem::path>& jpegs);
  std::filesystem::path WorkFolder() const;
  convert::PdfInfoSource PdfInfo() const;
  std::optional<std::filesystem::path> AskSaveFile(const platform::SaveFileRequest& request) const;

  chartview::ChartView& view_;
  document::ChartDocument& doc_;
  platform::SettingsStore& settings_;
  platform::ScratchSurface* scratch_;
  ChartExportServices services_;
};

}  // namespace plume::output
