#include "output/ChartExport.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "tests/support/PdfTestFiles.h"
#include "convert/DocsmithLibrary.h"
#include "platform/Cp932.h"
#include "platform/MemorySettingsStore.h"
#include "platform/RecordingCanvas.h"
#include "platform/ScriptedMessageSink.h"

namespace plume::output {
namespace {

namespace fs = std::filesystem;
using platform::CanvasOp;
using platform::MsgResult;
using platform::ScopedMessageSink;
using platform::ScriptedMessageSink;
using test::TempFolder;

// Paints into a recording canvas and writes a small real JPEG; can be told to fail.
class FakeRenderer : public PageBitmapRenderer {
 public:
  struct Render {
    platform::Size size;
    fs::path path;
    std::string type;
    int backgroundWidth = 0;  ///< width of the page background painted (shows the zoom)
  };
  bool RenderToFile(platform::Size size, const PaintFn& paint, const fs::path& path,
                    std::string_view typeName) override {
    if (failBitmap) {
      platform::ShowMessage(platform::StringId::MemoryAllocFailed);
      return false;
    }
    platform::RecordingCanvas canvas;
    paint(canvas);
    const auto rects = canvas.Calls(CanvasOp::Rectangle);
    renders.push_back({size, path, std::string(typeName), rects.empty() ? 0 : rects.front().rect.Width()});
    test::WriteFile(path, test::TestDataFile("rgb-baseline.jpg"));
    return true;
  }
  bool Paint(platform::Size, const PaintFn& paint) override {
    platform::RecordingCanvas canvas;
    paint(canvas);
    return true;
  }
  std::vector<Render> renders;
  bool failBitmap = false;
};

class FakeDialogs : public platform::FileDialogs {
 public:
  std::optional<fs::path> AskSaveFile(const platform::SaveFileRequest& request) override {
    requests.push_back(request);
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::vector<platform::SaveFileRequest> requests;
  std::deque<std::optional<fs::path>> answers;
};

class FakeFolders : public platform::FolderOpener {
 public:
  bool OpenFolder(const fs::path& folder) override {
    opened.push_back(folder);
    return works;
  }
  std::vector<fs::path> opened;
  bool works = true;
};

class ChartExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc_ = document::ChartDocument::Create();
    doc_->NewDocument();
    view_ = std::make_unique<chartview::ChartView>(*doc_, settings_, host_);
  }

  // Pages "ページ2".. added after the first; the current page stays as given.
  void AddPages(int count) {
    for (int i = 0; i < count; ++i) {
      const int n = doc_->header.pageCount;
      document::ChartDocument::InitPage(doc_->pages[n], doc_->NewPageId(),
                                        platform::Utf8ToCp932("ページ" + std::to_string(n + 1)));
      ++doc_->header.pageCount;
    }
  }

  ChartExport& Export() {
    if (!export_) {
      ChartExportServices services;
      services.renderer = &renderer_;
      services.dialogs = &dialogs_;
      services.folders = &folders_;
      services.workFolder = [this] { return workFolder_; };
      services.pdfInfo = [] { return convert::PdfInfoSource{"title", "http://example.com/", std::time_t{0}}; };
      services.progress = [this](int done, int total) {
        progress_.emplace_back(done, total);
        return done != cancelAt_;
      };
      if (!realPdf_) {
        services.pdf.convert = [this](const fs::path& pdf, const fs::path& jpeg) {
          steps_.push_back("convert " + jpeg.filename().string() + " " + pdf.filename().string());
          return failAt_ != steps_.size();
        };
        services.pdf.joinAll = [this](const std::vector<fs::path>& pages, const fs::path& out,
                                      const convert::PdfInfoSource& info) {
          std::string step = "join";
          for (const fs::path& page : pages) step += " " + page.filename().string();
          steps_.push_back(step + " " + out.string() + " " + info.title);
          return failAt_ != steps_.size();
        };
        services.pdf.addInfo = [this](const fs::path& src, const fs::path& dst, const convert::PdfInfoSource&) {
          steps_.push_back("info " + src.filename().string() + " " + dst.string());
          return failAt_ != steps_.size();
        };
      }
      export_ = std::make_unique<ChartExport>(*view_, settings_, nullptr, std::move(services));
    }
    return *export_;
  }

  std::string Proposed(std::size_t i = 0) const { return dialogs_.requests.at(i).initialName; }

  TempFolder folder_;
  fs::path workFolder_ = folder_.Path();
  platform::MemorySettingsStore settings_;
  chartview::WindowlessHost host_;
  std::unique_ptr<document::ChartDocument> doc_;
  std::unique_ptr<chartview::ChartView> view_;
  FakeRenderer renderer_;
  FakeDialogs dialogs_;
  FakeFolders folders_;
  bool realPdf_ = false;
  std::vector<std::string> steps_;
  std::size_t failAt_ = 0;  ///< 1-based step that fails; 0: none
  ScriptedMessageSink sink_;
  ScopedMessageSink guard_{&sink_};
  std::unique_ptr<ChartExport> export_;
  std::vector<std::pair<int, int>> progress_;
  int cancelAt_ = -1;
};

// --- PDF ---

TEST_F(ChartExportTest, EveryPageIsConvertedOnceAndAllAreJoinedOnceWithTheInformation) {
  AddPages(2);
  dialogs_.answers.push_back("/out/report.pdf");
  sink_.Answer(MsgResult::Yes);
  EXPECT_TRUE(Export().ExportPagesAsPdf(true));
  EXPECT_EQ(sink_.Ids(), std::vector<int>{30056});
  EXPECT_EQ(sink_.Last().icon, platform::MsgIcon::Question);
  EXPECT_EQ(steps_, (std::vector<std::string>{"convert tmp.jpg page1.pdf", "convert tmp.jpg page2.pdf",
                                              "convert tmp.jpg page3.pdf",
                                              "join page1.pdf page2.pdf page3.pdf /out/report.pdf title"}));
  EXPECT_EQ(progress_, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
  ASSERT_EQ(renderer_.renders.size(), 3u);
  for (const auto& r : renderer_.renders) {
    EXPECT_EQ(r.path, workFolder_ / "tmp.jpg");
    EXPECT_EQ(r.type, "JPEG");
  }
  // Yes proposes no file name; the chooser is the PDF one.
  const platform::SaveFileRequest& request = dialogs_.requests.at(0);
  EXPECT_EQ(request.initialName, "");
  EXPECT_EQ(request.filter, "PDF File|*.PDF||");
  EXPECT_EQ(request.defaultExtension, "PDF");
  EXPECT_EQ(request.title, "保存するPDFファイルを指定");
  EXPECT_FALSE(request.confirmOverwrite);
}

TEST_F(ChartExportTest, CancelledExportStopsBeforeTheNextPageAndWritesNothing) {
  AddPages(3);
  cancelAt_ = 2;
  EXPECT_FALSE(Export().WritePdf(true, "/out/a.pdf"));
  EXPECT_EQ(steps_, (std::vector<std::string>{"convert tmp.jpg page1.pdf", "convert tmp.jpg page2.pdf"}));
  EXPECT_TRUE(sink_.Messages().empty());
}

TEST_F(ChartExportTest, AnsweringNoExportsTheCurrentPageUnderItsNameThroughTmp3) {
  AddPages(2);
  doc_->header.currentPage = 1;
  dialogs_.answers.push_back("/out/p.PdF");
  sink_.Answer(MsgResult::No);
  EXPECT_TRUE(Export().ExportPagesAsPdf(true));
  EXPECT_EQ(Proposed(), "ページ2");
  EXPECT_EQ(steps_, (std::vector<std::string>{"convert tmp.jpg tmp3.pdf", "info tmp3.pdf /out/p.PdF"}));
  ASSERT_EQ(renderer_.renders.size(), 1u);
  // Page 1 is 1000 wide like every new page; rendered at the page's own size.
  EXPECT_EQ(renderer_.renders[0].size, (platform::Size{1000, 1000}));
}

TEST_F(ChartExportTest, CancelAtTheQuestionOrTheChooserWritesNothing) {
  AddPages(1);
  sink_.Answer(MsgResult::Cancel);
  EXPECT_FALSE(Export().ExportPagesAsPdf(true));
  EXPECT_TRUE(dialogs_.requests.empty());
  sink_.Answer(MsgResult::Yes);
  EXPECT_FALSE(Export().ExportPagesAsPdf(true));  // the chooser has no answer: Cancel
  EXPECT_EQ(dialogs_.requests.size(), 1u);
  EXPECT_TRUE(renderer_.renders.empty());
  EXPECT_TRUE(steps_.empty());
}

TEST_F(ChartExportTest, ANameNotEndingInPdfIsRefused) {
  for (const char* name : {"/out/report.txt", "/out/report", "/out/x.pdf/report"}) {
    dialogs_.answers.push_back(fs::path(name));
    EXPECT_FALSE(Export().ExportPagesAsPdf(false)) << name;
    EXPECT_EQ(sink_.Last().id, 30055) << name;
    EXPECT_EQ(sink_.Last().icon, platform::MsgIcon::Error);
  }
  EXPECT_TRUE(steps_.empty());
  EXPECT_TRUE(renderer_.renders.empty());
}

TEST_F(ChartExportTest, OnePageDocumentWithTheAllPagesCommandIsNotJoined) {
  dialogs_.answers.push_back("/out/one.pdf");
  sink_.Answer(MsgResult::Yes);
  EXPECT_TRUE(Export().RunCommand(ChartExport::kCmdAllPagesPdf));
  EXPECT_EQ(steps_, (std::vector<std::string>{"convert tmp.jpg tmp3.pdf", "info tmp3.pdf /out/one.pdf"}));
}

TEST_F(ChartExportTest, TheFirstFailingStepStopsTheExportBeforeTheFileIsWritten) {
  AddPages(2);
  failAt_ = 3;  // the first join
  EXPECT_FALSE(Export().WritePdf(true, "/out/a.pdf"));
  EXPECT_EQ(steps_.size(), 3u);
  steps_.clear();
  failAt_ = 0;
  renderer_.failBitmap = true;
  EXPECT_FALSE(Export().WritePdf(true, "/out/a.pdf"));
  EXPECT_TRUE(steps_.empty());
  EXPECT_EQ(sink_.Last().id, 30001);
  workFolder_.clear();  // work folder unavailable (its message is the folder's own)
  renderer_.failBitmap = false;
  EXPECT_FALSE(Export().WritePdf(false, "/out/a.pdf"));
  EXPECT_TRUE(steps_.empty());
}

// The page is painted at 100 %: the bitmap has the page's 100 % size, so
// any other zoom would cut the page off or leave it in a corner.
TEST_F(ChartExportTest, PdfPagesArePaintedAtTheirFullSizeWhateverTheZoom) {
  view_->SetZoom(2.0f);
  ASSERT_TRUE(Export().WritePdf(false, "/out/a.pdf"));
  EXPECT_EQ(renderer_.renders.at(0).backgroundWidth, 1000);
  EXPECT_FLOAT_EQ(view_->Zoom(), 2.0f);
}

// Exporting a page whose items still need their default size (the page was
// never on show) changes them as painting does: the document says so.
TEST_F(ChartExportTest, WhatAnExportChangesInTheDocumentIsMarked) {
  AddPages(1);
  doc_->nodes[0] = document::NodeRecord{};
  doc_->nodes[0].pageId = doc_->pages[1].pageId;
  doc_->nodes[0].rect = {10, 10, 10, 10};  // no size yet
  doc_->nodeCount = 1;
  doc_->Changes().SetModified(false);
  ASSERT_TRUE(Export().WritePdf(true, "/out/a.pdf"));
  EXPECT_GT(doc_->nodes[0].rect.Width(), 1);
  EXPECT_TRUE(doc_->Changes().IsModified());
  doc_->Changes().SetModified(false);
  ASSERT_TRUE(Export().WritePdf(true, "/out/b.pdf"));
  EXPECT_FALSE(doc_->Changes().IsModified()) << "an export that changes nothing marks nothing";
}

TEST_F(ChartExportTest, ThreeRealPagesMakeAThreePageFile) {
  convert::DocsmithLibrary::SetFolder(PLUME_DOCSMITH_DIR);
  realPdf_ = true;
  AddPages(2);
  const fs::path out = folder_ / "three.pdf";
  EXPECT_TRUE(Export().WritePdf(true, out));
  convert::DocsmithLibrary::SetFolder({});
  EXPECT_TRUE(sink_.Messages().empty()) << sink_.Last().FullText();
  const auto info = test::RunCommand("pdfinfo " + test::Quoted(out));
  EXPECT_EQ(test::PdfInfoField(info.output, "Pages"), "3") << info.output;
  EXPECT_EQ(test::PdfInfoField(info.output, "Title"), "title") << info.output;
  test::ExpectQpdfCheckClean(out);
}

TEST_F(ChartExportTest, APageBitmapPastTheCapIsRefusedBeforeItIsMade) {
  doc_->CurrentPage().pageWidth = 20000;
  doc_->CurrentPage().pageHeight = 20000;
  EXPECT_FALSE(Export().WritePdf(false, folder_ / "a.pdf"));
  EXPECT_EQ(sink_.Ids(), std::vector<int>{30585});
  EXPECT_FALSE(Export().WriteImage(folder_ / "a.jpeg", true));
  EXPECT_TRUE(renderer_.renders.empty());
  EXPECT_TRUE(steps_.empty());
  doc_->CurrentPage().pageHeight = 5000;  // 100 million pixels still fit
  EXPECT_TRUE(Export().WriteImage(folder_ / "a.jpeg", true));
}

// --- image ---

TEST_F(ChartExportTest, ImageAtZoomAsksAndSavesAtTheZoomOrAt100) {
  view_->SetZoom(1.5f);
  dialogs_.answers = {folder_ / "a.jpeg", folder_ / "b.jpeg"};
  sink_.Answer(MsgResult::Yes);  // 30085: keep the zoom
  sink_.Answer(MsgResult::No);   // 30083: do not show the folder
  sink_.Answer(MsgResult::No);   // 30085: save at 100 %
  sink_.Answer(MsgResult::No);   // 30083
  EXPECT_TRUE(Export().SavePageAsImage());
  EXPECT_TRUE(Export().SavePageAsImage());
  EXPECT_EQ(sink_.Ids(), (std::vector<int>{30085, 30083, 30085, 30083}));
  ASSERT_EQ(renderer_.renders.size(), 2u);
  EXPECT_EQ(renderer_.renders[0].size, (platform::Size{1500, 1500}));
  EXPECT_EQ(renderer_.renders[0].backgroundWidth, 1500);
  EXPECT_EQ(renderer_.renders[1].size, (platform::Size{1000, 1000}));
  EXPECT_EQ(renderer_.renders[1].backgroundWidth, 1000);
  EXPECT_EQ(renderer_.renders[1].type, "JPEG");
  EXPECT_FLOAT_EQ(view_->Zoom(), 1.5f);
  EXPECT_TRUE(folders_.opened.empty());
  EXPECT_EQ(Proposed(), "ページ1");
  EXPECT_EQ(dialogs_.requests[0].filter, "JPEGファイル(*.jpeg)|*.jpeg||");
  EXPECT_EQ(dialogs_.requests[0].defaultExtension, "jpeg");
}

TEST_F(ChartExportTest, ImageSizeIsTruncatedAndAt100NoQuestionIsAsked) {
  doc_->CurrentPage().pageWidth = 999;
  doc_->CurrentPage().pageHeight = 333;
  view_->SetZoom(0.29f);
  EXPECT_EQ(Export().ImageSize(false), (platform::Size{289, 96}));  // 289.71, 96.57
  view_->SetZoom(1.0f);
  dialogs_.answers.push_back(folder_ / "a.jpeg");
  sink_.Answer(MsgResult::Yes);  // 30083: show the folder
  EXPECT_TRUE(Export().SavePageAsImage());
  EXPECT_EQ(sink_.Ids(), std::vector<int>{30083});
  EXPECT_EQ(renderer_.renders.at(0).size, (platform::Size{999, 333}));
  EXPECT_EQ(folders_.opened, std::vector<fs::path>{folder_.Path()});
}

TEST_F(ChartExportTest, CancelAtZoomQuestionOrNoToOverwriteKeepsEverything) {
  test::WriteFile(folder_ / "old.jpeg", "old");
  doc_->AddNode({.dataType = "PDF", .x = 10, .y = 10});
  view_->SetZoom(2.0f);
  dialogs_.answers = {folder_ / "old.jpeg", folder_ / "new.jpeg"};
  sink_.Answer(MsgResult::No);      // 30084: do not replace
  sink_.Answer(MsgResult::Cancel);  // 30085
  EXPECT_FALSE(Export().SavePageAsImage());
  EXPECT_FALSE(Export().SavePageAsImage());
  EXPECT_EQ(sink_.Ids(), (std::vector<int>{30084, 30085}));
  EXPECT_EQ(test::ReadFile(folder_ / "old.jpeg"), "old");
  EXPECT_TRUE(renderer_.renders.empty());
  EXPECT_EQ(doc_->nodeStates[0].selected, 1);  // nothing rendered, selection kept
  dialogs_.answers = {std::nullopt};
  EXPECT_FALSE(Export().SavePageAsImage());
  EXPECT_EQ(sink_.Ids().size(), 2u);
}

TEST_F(ChartExportTest, SavingAnImageUnselectsEveryNodeButNoSlip) {
  doc_->AddNode({.dataType = "PDF", .x = 10, .y = 10});
  AddPages(1);
  doc_->header.currentPage = 1;
  doc_->AddNode({.dataType = "PDF", .x = 10, .y = 10});  // on the other page
  ASSERT_TRUE(doc_->AddSlip("s", 50, 50));
  doc_->slips[0].selected = 1;
  ASSERT_TRUE(Export().WriteImage(folder_ / "a.jpeg", false));
  EXPECT_EQ(doc_->nodeStates[0].selected, 0);
  EXPECT_EQ(doc_->nodeStates[1].selected, 0);
  EXPECT_EQ(doc_->slips[0].selected, 1);
}

TEST_F(ChartExportTest, AFailedImageAsksNothingAfterwardsAndAFailedFileManagerIsReported) {
  renderer_.failBitmap = true;
  dialogs_.answers = {folder_ / "a.jpeg", folder_ / "b.jpeg"};
  EXPECT_FALSE(Export().SavePageAsImage());
  EXPECT_EQ(sink_.Ids(), std::vector<int>{30001});
  renderer_.failBitmap = false;
  folders_.works = false;
  sink_.Answer(MsgResult::Yes);  // 30083
  EXPECT_TRUE(Export().SavePageAsImage());
  EXPECT_EQ(sink_.Ids(), (std::vector<int>{30001, 30083, 30048}));
}

TEST_F(ChartExportTest, AProposedNameHoldsNoFolderSeparator) {
  std::snprintf(doc_->CurrentPage().pageName, sizeof doc_->CurrentPage().pageName, "a/b");
  EXPECT_FALSE(Export().SavePageAsImage());
  EXPECT_EQ(Proposed(), "a_b");
}

TEST_F(ChartExportTest, OnlyTheFourExportCommandsAreRun) {
  EXPECT_FALSE(Export().RunCommand(32834));
  EXPECT_TRUE(Export().RunCommand(ChartExport::kCmdFileImage));  // chooser cancelled
  EXPECT_TRUE(Export().RunCommand(ChartExport::kCmdPagePdf));
  EXPECT_EQ(dialogs_.requests.size(), 2u);
  EXPECT_TRUE(sink_.Messages().empty());  // 32866 asks no question
}

}  // namespace
}  // namespace plume::output
