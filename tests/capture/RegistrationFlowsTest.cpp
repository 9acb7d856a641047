// The registration flows against fakes: what each flow stores, records and
// places on the chart, and what a failure leaves behind.

#include <gtest/gtest.h>

#include "capture/RegistrationFlows.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/SettingsTable.h"
#include "store/InfoFile.h"
#include "store/MaterialScan.h"
#include "store/MaterialStore.h"
#include "store/Sha256.h"
#include "store/StoreSerials.h"
#include "tests/capture/RegistrationFakes.h"

namespace plume::capture::test {
namespace {

namespace settings = platform::settings;
using platform::StringId;

class RegistrationFlowsTest : public ::testing::Test {
 protected:
  RegistrationFlowsTest() : guard_(&sink_) {
    dir_ = fs::temp_directory_path() / ("plume-reg-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "work");
    settings::Set(settings_, settings::KanSet::StorePath, (dir_ / "Data").string());
    downloads_.work = dir_ / "work";
  }
  ~RegistrationFlowsTest() override { fs::remove_all(dir_); }

  fs::path Root() const { return dir_ / "Data" / "PLUMEDATA"; }
  fs::path Stored(std::string_view type, store::Serial n) const {
    return store::MaterialStore::DataFileIn(Root(), type, store::FormatSerial(n));
  }
  std::optional<store::MaterialInfo> Info(store::Serial n) const {
    return store::InfoFile::ReadInfoAt(store::MaterialStore::InfoFileIn(Root(), store::FormatSerial(n)));
  }
  std::string Counter() { return settings::Get(settings_, settings::Sys::No); }
  fs::path Source(const std::string& name, std::string_view bytes) {
    const fs::path file = dir_ / name;
    WriteAll(file, bytes);
    return file;
  }
  std::vector<int> MessageIds() const {
    std::vector<int> ids;
    for (const auto& m : sink_.Messages()) ids.push_back(m.id);
    return ids;
  }
  const document::NodeRecord& LastNode() const { return host_.chart->nodes[host_.chart->nodeCount - 1]; }
  /// Files below the store root other than the lock and number files.
  int StoredFiles() const {
    int n = 0;
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(Root(), ec)) {
      const std::string name = e.path().filename().string();
      if (e.is_regular_file() && name != store::kNextNumberFile && name != store::kNextNumberLock) ++n;
    }
    return n;
  }

  fs::path dir_;
  platform::MemorySettingsStore settings_;
  platform::ScriptedMessageSink sink_;
  platform::ScopedMessageSink guard_;
  store::MaterialStore store_{settings_};
  FakeHost host_;
  FakeHtml html_;
  FakeText text_;
  FakeCapture capture_;
  FakePdf pdf_;
  FakePictures pictures_;
  FakeDownloads downloads_;
  FakeClipboard clipboard_;
  RegistrationFlows flows_{RegistrationPorts{host_, store_, settings_, html_, text_, capture_, pdf_, pictures_,
                                             downloads_, clipboard_, [this] { return dir_ / "work"; }}};
};

TEST_F(RegistrationFlowsTest, WholePageWithEmptyTextAreaStoresOnlyThePdf) {
  ASSERT_TRUE(flows_.RunCommand(RegistrationFlows::kCmdWholePage, {120, 80}));
  EXPECT_EQ(ReadAll(Stored("PDF", 0)), "info[Page title](pdf(jpeg:whole))");
  EXPECT_FALSE(fs::exists(Stored("TXT", 0)));
  const auto info = Info(0);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->ext, "PDF");
  EXPECT_EQ(info->title, "Page title");
  EXPECT_EQ(info->getFrom, "http://example.jp/page.html");
  EXPECT_EQ((std::tuple{info->width, info->height}), (std::tuple{"0", "0"}));
  EXPECT_EQ(store::InfoFile::ReadOwnersAt(store::MaterialStore::InfoFileIn(Root(), "00000000"))->firstOwner,
            host_.path);
  EXPECT_EQ(std::string(LastNode().dataType, 3), "PDF");
  EXPECT_EQ(std::string(LastNode().title), "Page title");
  EXPECT_EQ(LastNode().serial, 0);
  EXPECT_EQ(host_.chart->focusedNode, 0);
  EXPECT_EQ(host_.repaints, 1);
  EXPECT_EQ(Counter(), "00000001");
}

TEST_F(RegistrationFlowsTest, TextPagesFollowTheImagePageAndTheTextIsStoredWithCrLf) {
  text_.text = "line one\nline two";
  ASSERT_TRUE(flows_.RunCommand(RegistrationFlows::kCmdVisiblePdf, {0, 0}));
  EXPECT_EQ(ReadAll(Stored("TXT", 0)), "line one\r\nline two");
  EXPECT_EQ(ReadAll(Stored("PDF", 0)), "info[Page title](join(pdf(jpeg:visible)|text(line one\r\nline two)))");
  EXPECT_EQ(pdf_.textWidth, 800);
}

TEST_F(RegistrationFlowsTest, FailedRelatedTextStopsTheVisiblePartButNotTheWholePage) {
  struct Case {
    int command;
    bool registered;
  };
  for (const Case c : {Case{RegistrationFlows::kCmdVisiblePdf, false}, Case{RegistrationFlows::kCmdWholePage, true}}) {
    SCOPED_TRACE(c.command);
    fs::remove_all(Root());
    WriteAll((fs::create_directories(Root()), Root() / "TXT"), "a file where the text folder belongs");
    text_.text = "some text";
    sink_.Reset();
    EXPECT_EQ(flows_.RunCommand(c.command, {0, 0}), c.registered);
    EXPECT_EQ(MessageIds(), std::vector<int>{static_cast<int>(StringId::StoreFolderCreateFailed)});
    EXPECT_EQ(StoredFiles(), c.registered ? 3 : 1);  // the blocking file, and the PDF and information file
  }
}

TEST_F(RegistrationFlowsTest, FailureLeavesTheCounterAndRemovesItsFilesAndTheNextTakesTheFollowingNumber) {
  // GIVEN a dropped image whose picture cannot be loaded after it was stored
  pictures_.fail = true;
  EXPECT_FALSE(flows_.DropFiles({Source("a.png", "png")}, {0, 0}));
  EXPECT_EQ(Counter(), "00000000");
  EXPECT_EQ(StoredFiles(), 0);
  EXPECT_EQ(host_.chart->nodeCount, 0);
  // WHEN the next registration runs, THEN it takes the next number; the failed one stays a gap
  pictures_.fail = false;
  ASSERT_TRUE(flows_.DropFiles({Source("b.png", "png")}, {0, 0}));
  EXPECT_EQ(LastNode().serial, 1);
  EXPECT_EQ(ReadAll(Stored("PNG", 1)), "png");
  EXPECT_EQ(Counter(), "00000002");
}

TEST_F(RegistrationFlowsTest, NodeTableFullRegistersNothing) {
  host_.chart->nodeCount = document::ChartDocument::kMaxNodes;
  EXPECT_FALSE(flows_.DropFiles({Source("a.gif", "gif")}, {0, 0}));
  EXPECT_EQ(MessageIds(), std::vector<int>{static_cast<int>(StringId::NodeLimitExceeded)});
  EXPECT_EQ(StoredFiles(), 0);
  EXPECT_EQ(Counter(), "00000000");
}

TEST_F(RegistrationFlowsTest, PageTypeGatesOfTheCommands) {
  struct Case {
    int command;
    std::string pageType;
    bool registered;
  };
  downloads_.files["http://example.jp/page.html"] = "bytes";
  const Case cases[] = {
      {RegistrationFlows::kCmdVisiblePdf, "PDF", false},   {RegistrationFlows::kCmdVisiblePdf, "", true},
      {RegistrationFlows::kCmdWholeImage, "JPEG", false},  {RegistrationFlows::kCmdVisibleImage, "HTML", true},
      {RegistrationFlows::kCmdWholeImage, "", true},       {RegistrationFlows::kCmdWholePage, "PDF", true},
      {RegistrationFlows::kCmdWholePage, "GIF", true},     {RegistrationFlows::kCmdWholePage, "HTML", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.command) + " on '" + c.pageType + "'");
    html_.type = c.pageType;
    const int before = host_.chart->nodeCount;
    EXPECT_EQ(flows_.RunCommand(c.command, {0, 0}), c.registered);
    EXPECT_EQ(host_.chart->nodeCount, before + (c.registered ? 1 : 0));
  }
  EXPECT_TRUE(sink_.Messages().empty());
}

TEST_F(RegistrationFlowsTest, WholePageOnAnUnknownPageAsksFirst) {
  html_.type = "";
  sink_.Answer(platform::MsgResult::No);
  EXPECT_FALSE(flows_.RunCommand(RegistrationFlows::kCmdWholePage, {0, 0}));
  sink_.Answer(platform::MsgResult::Yes);
  EXPECT_TRUE(flows_.RunCommand(RegistrationFlows::kCmdWholePage, {0, 0}));
  EXPECT_EQ(MessageIds(), (std::vector<int>(2, static_cast<int>(StringId::UnknownHtmlTypeAsk))));
  EXPECT_EQ(LastNode().serial, 0);  // the declined attempt reserved nothing
}

TEST_F(RegistrationFlowsTest, PageThatChangedDuringSavingIsRefused) {
  html_.typeAfterFirstLook = "PDF";
  EXPECT_FALSE(flows_.RunCommand(RegistrationFlows::kCmdVisiblePdf, {0, 0}));
  EXPECT_EQ(MessageIds(), std::vector<int>{static_cast<int>(StringId::PageCannotBeProcessed)});
  host_.saved = false;
  html_.type = "HTML";
  EXPECT_FALSE(flows_.RunCommand(RegistrationFlows::kCmdWholePage, {0, 0}));
  EXPECT_EQ(StoredFiles(), 0);
}

TEST_F(RegistrationFlowsTest, WholePageOnShownFilesStoresTheDownloadedFile) {
  // A shown PDF: the text area holds its text; the PDF itself is fetched again.
  html_.type = "PDF";
  html_.address = "http://example.jp/doc.pdf";
  downloads_.files[html_.address] = "%PDF-1.4 doc";
  text_.text = "pdf text";
  ASSERT_TRUE(flows_.RunCommand(RegistrationFlows::kCmdWholePage, {0, 0}));
  EXPECT_EQ(ReadAll(Stored("PDF", 0)), "%PDF-1.4 doc");
  EXPECT_EQ(ReadAll(Stored("TXT", 0)), "pdf text");
  // A shown image: stored under its own type with its size and digest.
  html_.type = "PNG";
  html_.address = "http://example.jp/i.png";
  downloads_.files[html_.address] = "png bytes";
  ASSERT_TRUE(flows_.RunCommand(RegistrationFlows::kCmdWholePage, {0, 0}));
  const auto info = Info(1);
  EXPECT_EQ((std::tuple{info->ext, info->width, info->height, info->size}), (std::tuple{"PNG", "640", "480", "9"}));
  EXPECT_EQ(info->sha256, store::FileSha256(Stored("PNG", 1)));
  EXPECT_EQ(std::string(LastNode().dataType, 3), "PNG");
  // A shown PDF that cannot be fetched again registers nothing (no node without its file).
  html_.type = "PDF";
  html_.address = "http://example.jp/gone.pdf";
  EXPECT_FALSE(flows_.RunCommand(RegistrationFlows::kCmdWholePage, {0, 0}));
  EXPECT_FALSE(fs::exists(Stored("TXT", 2)));
  EXPECT_EQ(host_.chart->nodeCount, 2);
}

TEST_F(RegistrationFlowsTest, ImageCaptureStoresJpegThenText) {
  text_.text = "caption";
  ASSERT_TRUE(flows_.RunCommand(RegistrationFlows::kCmdWholeImage, {300, 200}));
  EXPECT_EQ(ReadAll(Stored("JPEG", 0)), "jpeg:whole");
  EXPECT_EQ(ReadAll(Stored("TXT", 0)), "caption");
  EXPECT_EQ(Info(0)->sha256, store::FileSha256(Stored("JPEG", 0)));
  EXPECT_EQ(LastNode().hasImage, 1);
  EXPECT_EQ(LastNode().rect.right - LastNode().rect.left, 150);  // the fitted display width
}

TEST_F(RegistrationFlowsTest, ClipboardImageUsesImageTypeAndReportsEachFailure) {
  settings::Set(settings_, settings::KanSet::ImageType, "PNG");
  ASSERT_TRUE(flows_.RunCommand(RegistrationFlows::kCmdClipboardImage, {0, 0}));
  EXPECT_EQ(flows_.State().imagePath, dir_ / "work" / "tmp.PNG");
  EXPECT_EQ(ReadAll(Stored("PNG", 0)), "clip:PNG");
  EXPECT_EQ(Info(0)->ext, "PNG");

  struct Case {
    ClipboardSave result;
    std::string tag;
  };
  const Case cases[] = {{ClipboardSave::TakeFailed, "クリップボードからの取得エラー\n"},
                        {ClipboardSave::ConversionFailed, "DIBへの変換エラー\n"},
                        {ClipboardSave::SaveFailed, "セーブエラー\n"}};
  for (const Case& c : cases) {
    sink_.Reset();
    clipboard_.result = c.result;
    EXPECT_FALSE(flows_.RunCommand(RegistrationFlows::kCmdClipboardImage, {0, 0}));
    ASSERT_EQ(sink_.Messages().size(), 1u);
    EXPECT_EQ(sink_.Messages()[0].id, static_cast<int>(StringId::ImagePasteFailed));
    EXPECT_EQ(sink_.Messages()[0].prefix, c.tag);
  }
  sink_.Reset();
  clipboard_.result = ClipboardSave::NoBitmap;
  EXPECT_FALSE(flows_.RunCommand(RegistrationFlows::kCmdClipboardImage, {0, 0}));
  EXPECT_TRUE(sink_.Messages().empty());
  EXPECT_EQ(Counter(), "00000001");
}

TEST_F(RegistrationFlowsTest, DroppedFilesOneAtATimeAndOnlyKnownTypes) {
  EXPECT_FALSE(flows_.DropFiles({Source("a.png", "a"), Source("b.png", "b")}, {0, 0}));
  EXPECT_FALSE(flows_.DropFiles({Source("page.html", "<html>")}, {0, 0}));
  EXPECT_FALSE(flows_.DropFiles({Source("notes", "x")}, {0, 0}));
  EXPECT_EQ(MessageIds(), (std::vector<int>{static_cast<int>(StringId::DropOneFileAtATime),
                                            static_cast<int>(StringId::DropTypeUnknown),
                                            static_cast<int>(StringId::DropTypeUnknown)}));
  EXPECT_EQ(StoredFiles(), 0);
  EXPECT_FALSE(fs::exists(Root() / store::kNextNumberFile));  // no number was taken
}

TEST_F(RegistrationFlowsTest, DroppedImageIsTitledWithItsFileName) {
  const fs::path photo = Source("photo.JPG", "jpeg bytes");
  ASSERT_TRUE(flows_.DropFiles({photo}, {40, 30}));
  EXPECT_EQ(ReadAll(Stored("JPEG", 0)), "jpeg bytes");
  EXPECT_EQ(std::string(LastNode().title), "photo.JPG");
  EXPECT_EQ(Info(0)->title, "photo.JPG");
  EXPECT_EQ(Info(0)->ext, "JPEG");
  EXPECT_TRUE(fs::exists(photo));
}

TEST_F(RegistrationFlowsTest, DroppedPdfRegistersOnceItsTextHasArrived) {
  text_.text = "old text";
  const fs::path pdf = Source("a.pdf", "%PDF a");
  ASSERT_TRUE(flows_.DropFiles({pdf}, {10, 10}));
  EXPECT_EQ(ReadAll(Stored("PDF", 0)), "%PDF a");
  EXPECT_EQ(html_.shown, pdf);
  EXPECT_TRUE(host_.timerRunning);
  EXPECT_FALSE(flows_.DropTimerTick());  // the text has not arrived yet
  EXPECT_EQ(host_.chart->nodeCount, 0);

  text_.text = "text of a";
  html_.textTaken = true;
  ASSERT_TRUE(flows_.DropTimerTick());
  EXPECT_FALSE(host_.timerRunning);
  EXPECT_EQ(ReadAll(Stored("TXT", 0)), "text of a");
  EXPECT_EQ(std::string(LastNode().title), "a.pdf");
  EXPECT_EQ(Info(0)->getFrom, "file://" + pdf.string());  // the address then shown
  EXPECT_EQ(html_.backs, 1);
  EXPECT_EQ(Counter(), "00000001");
}

TEST_F(RegistrationFlowsTest, DroppedPdfWithoutTextRegistersAfterTheLongestWait) {
  ASSERT_TRUE(flows_.DropFiles({Source("b.pdf", "%PDF b")}, {0, 0}));
  int ticks = 0;
  while (!flows_.DropTimerTick() && ticks < 1000) ++ticks;
  EXPECT_EQ(ticks + 1, RegistrationFlows::kDropWait / RegistrationFlows::kDropTick);
  EXPECT_FALSE(fs::exists(Stored("TXT", 0)));
  EXPECT_EQ(std::string(LastNode().title), "b.pdf");
}

TEST_F(RegistrationFlowsTest, SecondDropWhileAPdfWaitsIsRefusedAndTheFirstRegistersUnderItsOwnName) {
  ASSERT_TRUE(flows_.DropFiles({Source("first.pdf", "1")}, {0, 0}));
  EXPECT_FALSE(flows_.DropFiles({Source("second.pdf", "2")}, {0, 0}));
  EXPECT_FALSE(flows_.RunCommand(RegistrationFlows::kCmdWholePage, {0, 0}));
  EXPECT_EQ(MessageIds(), (std::vector<int>(2, static_cast<int>(StringId::JobRunning))));
  html_.textTaken = true;
  ASSERT_TRUE(flows_.DropTimerTick());
  EXPECT_EQ(std::string(LastNode().title), "first.pdf");
  EXPECT_EQ(ReadAll(Stored("PDF", 0)), "1");
  EXPECT_EQ(host_.chart->nodeCount, 1);
  EXPECT_FALSE(flows_.Running());
}

TEST_F(RegistrationFlowsTest, DroppedPdfWaitsForItsOwnTextNotAnEarlierPdfs) {
  // GIVEN the HTML area still reading the text of a PDF shown earlier
  const fs::path earlier = Source("earlier.pdf", "0");
  html_.textTaken = true;
  html_.takenFor = earlier;
  text_.text = "text of the earlier PDF";
  // WHEN another PDF is dropped, THEN the earlier one's text does not end its wait
  const fs::path dropped = Source("dropped.pdf", "%PDF dropped");
  ASSERT_TRUE(flows_.DropFiles({dropped}, {0, 0}));
  EXPECT_FALSE(flows_.DropTimerTick());
  html_.takenFor = dropped;
  text_.text = "text of the dropped PDF";
  ASSERT_TRUE(flows_.DropTimerTick());
  EXPECT_EQ(ReadAll(Stored("TXT", 0)), "text of the dropped PDF");
  EXPECT_EQ(Info(0)->getFrom, "file://" + dropped.string());
}

TEST_F(RegistrationFlowsTest, DroppedPdfNeverLandsInAnotherDocumentNorStaysWithoutItsInformation) {
  struct Case {
    const char* what;
    std::function<void(RegistrationFlows&, FakeHost&)> meanwhile;
  };
  const Case cases[] = {
      {"a new document replaces the one dropped on", [](RegistrationFlows& f, FakeHost& h) {
         h.path.clear();
         f.DropTimerTick();
       }},
      {"the window closes", [](RegistrationFlows& f, FakeHost&) { f.CancelDrop(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    host_.path = "/home/u/plan.pbd";
    ASSERT_TRUE(flows_.DropFiles({Source("late.pdf", "%PDF late")}, {0, 0}));
    c.meanwhile(flows_, host_);
    html_.textTaken = true;
    EXPECT_FALSE(flows_.DropTimerTick());
    EXPECT_EQ(host_.chart->nodeCount, 0);
    EXPECT_EQ(StoredFiles(), 0);
    EXPECT_FALSE(flows_.Running());
    EXPECT_FALSE(host_.timerRunning);
    html_.textTaken = false;
  }
  // A flow object that goes while a PDF waits takes the PDF out of the store too.
  {
    RegistrationFlows other{RegistrationPorts{host_, store_, settings_, html_, text_, capture_, pdf_, pictures_,
                                              downloads_, clipboard_, [this] { return dir_ / "work"; }}};
    ASSERT_TRUE(other.DropFiles({Source("gone.pdf", "%PDF gone")}, {0, 0}));
    EXPECT_EQ(StoredFiles(), 1);
  }
  EXPECT_EQ(StoredFiles(), 0);
}

TEST_F(RegistrationFlowsTest, EachFlowRecordsTheStoredFilesTypeSizeHashSourceAndTitle) {
  struct Case {
    const char* flow;
    std::function<bool()> run;
    std::string ext;
    std::string getFrom;  ///< "file:" for the dropped file's own address
    std::string title;
  };
  const fs::path png = Source("photo.png", "png bytes");
  const fs::path pdf = Source("paper.pdf", "%PDF paper");
  downloads_.files["https://img.jp/a.gif"] = "gif bytes";
  downloads_.files["http://example.jp/shown.pdf"] = "%PDF shown";
  const std::string page = "http://example.jp/page.html";
  const auto command = [this](int id) { return [this, id] { return flows_.RunCommand(id, {0, 0}); }; };
  const Case cases[] = {
      {"whole page", command(RegistrationFlows::kCmdWholePage), "PDF", page, "Page title"},
      {"visible part as PDF", command(RegistrationFlows::kCmdVisiblePdf), "PDF", page, "Page title"},
      {"whole page image", command(RegistrationFlows::kCmdWholeImage), "JPEG", page, "Page title"},
      {"visible part image", command(RegistrationFlows::kCmdVisibleImage), "JPEG", page, "Page title"},
      {"clipboard image", command(RegistrationFlows::kCmdClipboardImage), "JPEG", page, "Page title"},
      {"shown PDF",
       [this] {
         html_.type = "PDF";
         html_.address = "http://example.jp/shown.pdf";
         return flows_.RunCommand(RegistrationFlows::kCmdWholePage, {0, 0});
       },
       "PDF", "http://example.jp/shown.pdf", "Page title"},
      {"dropped image", [this, png] { return flows_.DropFiles({png}, {0, 0}); }, "PNG", "file:" + png.string(),
       "photo.png"},
      {"dropped PDF",
       [this, pdf] {
         html_.textTaken = true;
         return flows_.DropFiles({pdf}, {0, 0}) && flows_.DropTimerTick();
       },
       "PDF", "file:" + pdf.string(), "paper.pdf"},
      {"dropped link", [this] { return flows_.DropLink("https://img.jp/a.gif", {0, 0}); }, "GIF",
       "https://img.jp/a.gif", "a.gif"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flow);
    html_ = FakeHtml{};
    ASSERT_TRUE(c.run());
    const store::Serial n = LastNode().serial;
    const fs::path stored = Stored(c.ext, n);
    const auto info = Info(n);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->ext, c.ext);
    EXPECT_EQ(info->size, std::to_string(fs::file_size(stored)));
    EXPECT_EQ(info->sha256, store::FileSha256(stored));
    EXPECT_EQ(info->getFrom, c.getFrom.starts_with("file:") ? "file://" + c.getFrom.substr(5) : c.getFrom);
    EXPECT_EQ(info->title, c.title);
  }
  // Every one of them is found again by the search.
  struct Count : store::ScanObserver {
    void RowFound(const store::SearchRow&) override { ++rows; }
    int rows = 0;
  } found;
  store::SearchConditions all;
  all.typeIndex = 99;  // beyond the list: every type
  store::ScanMaterials(store_, settings_, all, found);
  EXPECT_EQ(found.rows, static_cast<int>(std::size(cases)));
}

TEST_F(RegistrationFlowsTest, OneCaptureAtATimeAndACancelledOneLeavesNothing) {
  // GIVEN a second capture command asked for while the first draws its bands
  bool second = true;
  capture_.duringCapture = [&] {
    capture_.duringCapture = nullptr;
    second = flows_.RunCommand(RegistrationFlows::kCmdWholeImage, {0, 0});
  };
  ASSERT_TRUE(flows_.RunCommand(RegistrationFlows::kCmdWholePage, {0, 0}));
  EXPECT_FALSE(second);
  EXPECT_EQ(MessageIds(), std::vector<int>{static_cast<int>(StringId::JobRunning)});
  EXPECT_EQ(host_.chart->nodeCount, 1);
  EXPECT_EQ(host_.progress, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));
  EXPECT_EQ(StoredFiles(), 2);  // the PDF and its information file

  // WHEN the user cancels at the second band, THEN nothing is stored and the number stays a gap
  host_.cancelAt = 2;
  sink_.Reset();
  EXPECT_FALSE(flows_.RunCommand(RegistrationFlows::kCmdWholeImage, {0, 0}));
  EXPECT_TRUE(sink_.Messages().empty());
  EXPECT_EQ(StoredFiles(), 2);
  EXPECT_FALSE(flows_.Running());
  host_.cancelAt = 0;
  ASSERT_TRUE(flows_.RunCommand(RegistrationFlows::kCmdWholeImage, {0, 0}));
  EXPECT_EQ(LastNode().serial, 2);
}

TEST_F(RegistrationFlowsTest, TallPicturesLandWhereAskedAndSeeThroughClipboardImagesStayPng) {
  // A whole-page image far taller than the page is shrunk to fit around the point asked for.
  pictures_.displayHeight = 40000;
  ASSERT_TRUE(flows_.RunCommand(RegistrationFlows::kCmdWholeImage, {500, 500}));
  const auto& rect = LastNode().rect;
  const auto& page = host_.chart->CurrentPage();
  EXPECT_LE(rect.bottom - rect.top, page.pageHeight);
  EXPECT_GT(rect.left, 0);
  EXPECT_LT(rect.left, 500);
  EXPECT_GT(rect.right, 500);
  // The clipboard's image with see-through parts is kept as a PNG whatever ImageType says.
  clipboard_.alpha = true;
  ASSERT_TRUE(flows_.RunCommand(RegistrationFlows::kCmdClipboardImage, {0, 0}));
  EXPECT_EQ(ReadAll(Stored("PNG", 1)), "clip:PNG");
  EXPECT_EQ(Info(1)->ext, "PNG");
}

TEST_F(RegistrationFlowsTest, VisiblePartOfAHiddenHtmlAreaSaysWhy) {
  html_.shownOnScreen = false;
  for (int command : {RegistrationFlows::kCmdVisiblePdf, RegistrationFlows::kCmdVisibleImage}) {
    EXPECT_FALSE(flows_.RunCommand(command, {0, 0}));
  }
  EXPECT_EQ(MessageIds(), (std::vector<int>(2, static_cast<int>(StringId::HtmlAreaHidden))));
  EXPECT_TRUE(flows_.RunCommand(RegistrationFlows::kCmdWholeImage, {0, 0}));
  EXPECT_EQ(StoredFiles(), 2);
}

TEST_F(RegistrationFlowsTest, DroppedLinks) {
  downloads_.files["https://img.jp/dir/a.png"] = "png from the web";
  ASSERT_TRUE(flows_.DropLink("https://search.jp/r?u=https%3A%2F%2Fimg.jp%2Fdir%2Fa.png&w=2", {5, 5}));
  EXPECT_EQ(ReadAll(Stored("PNG", 0)), "png from the web");
  EXPECT_EQ(Info(0)->getFrom, "https://img.jp/dir/a.png");
  EXPECT_EQ(std::string(LastNode().title), "a.png");

  // The recorded address is decoded; the file is fetched from the address as dropped.
  downloads_.files["http://a.jp/%E3%81%82.pdf"] = "%PDF kana";
  ASSERT_TRUE(flows_.DropLink("http://a.jp/%E3%81%82.pdf", {5, 5}));
  EXPECT_EQ(Info(1)->getFrom, "http://a.jp/\x82\xA0.pdf");
  EXPECT_EQ(Info(1)->sha256, store::FileSha256(Stored("PDF", 1)));
  EXPECT_EQ(LastNode().hasImage, 0);

  sink_.Reset();
  downloads_.files["http://a.jp/err.gif"] = "<html>not found</html>";
  EXPECT_FALSE(flows_.DropLink("http://a.jp/err.gif", {0, 0}));
  EXPECT_FALSE(flows_.DropLink("http://a.jp/page.html", {0, 0}));
  EXPECT_EQ(MessageIds(), (std::vector<int>{static_cast<int>(StringId::DownloadFailed),
                                            static_cast<int>(StringId::DropTypeUnknown)}));
  EXPECT_EQ(Counter(), "00000002");
  EXPECT_EQ(host_.chart->nodeCount, 2);
}

TEST(WriteTextFile, WritesCrLfOnceAndReportsAFileThatCannotBeOpened) {
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard(&sink);
  const fs::path file = fs::temp_directory_path() / ("plume-wtf-" + std::to_string(::getpid()));
  ASSERT_TRUE(RegistrationFlows::WriteTextFile(file, "a\nb\r\nc\n"));
  EXPECT_EQ(ReadAll(file), "a\r\nb\r\nc\r\n");
  fs::remove(file);
  EXPECT_FALSE(RegistrationFlows::WriteTextFile(file / "no" / "such", "x"));
  ASSERT_EQ(sink.Messages().size(), 1u);
  EXPECT_EQ(sink.Messages()[0].id, static_cast<int>(StringId::FileOpenFailed));
}

}  // namespace
}  // namespace plume::capture::test
