// The HTML area's rules driven through a fake web view: page type and text
// after each load, PDF text from a worker within its time limit, the bar's
// actions, bookmarks, the web search and new-window requests.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <fstream>
#include <mutex>

#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/SettingsTable.h"
#include "shell/BlankWebView.h"
#include "shell/HtmlAreaController.h"
#include "shell/HtmlAreaRegistration.h"

namespace plume::shell {
namespace {

namespace settings = platform::settings;
using platform::MsgResult;

/// Records what the area asks; the browser's answers come when the test says.
class FakeWebView : public BlankWebView {
 public:
  void Navigate(const std::string& address) override { navigated.push_back(address); }
  std::string Address() const override { return address; }
  std::string Title() const override { return title; }
  void SetTextSize(int level) override { textSize = level; }
  void PageText(std::function<void(std::string)> done) override { pendingText.push_back(std::move(done)); }
  void Download(const std::string& from, const std::filesystem::path& file, std::function<void(bool)> done) override {
    downloads.push_back({from, file, std::move(done)});
  }
  /// The browser reports a completed load of `at`.
  void Load(const std::string& at, bool ok = true) {
    address = at;
    loadFinished(at, ok);
  }

  struct Download_ {
    std::string address;
    std::filesystem::path file;
    std::function<void(bool)> done;
  };
  std::vector<std::string> navigated;
  std::string address;
  std::string title;
  int textSize = -1;
  std::vector<std::function<void(std::string)>> pendingText;
  std::vector<Download_> downloads;
};

/// Gives the text it is told for any PDF, after an optional hold.
class FakePdfText : public platform::PdfText {
 public:
  platform::PdfTextResult FromFile(const std::filesystem::path& path, std::stop_token stop) const override {
    {
      std::unique_lock lock(mutex);
      released.wait(lock, [&] { return !hold || stop.stop_requested(); });
      readPaths.push_back(path);
    }
    return {true, text, {}};
  }
  platform::PdfTextResult FromBytes(std::string_view, std::stop_token) const override { return {true, text, {}}; }
  void Release() {
    std::lock_guard lock(mutex);
    hold = false;
    released.notify_all();
  }
  std::string text = "PDF本文\n二行目";
  bool hold = false;
  mutable std::mutex mutex;
  mutable std::condition_variable_any released;
  mutable std::vector<std::filesystem::path> readPaths;
};

class FakeHost : public HtmlAreaHost {
 public:
  void SetTextAreaText(std::string_view text) override { textArea = text; }
  void SetAddressField(std::string_view address) override { addressField = address; }
  void SetStatusPane(std::string_view text) override { statusPane = text; }
  void ShowPageType(std::string_view type) override { pageType = type; }
  void StartPdfTimer() override { timerRunning = true; }
  void StopPdfTimer() override { timerRunning = false; }
  void Post(std::function<void()> task) override {
    std::lock_guard lock(mutex_);
    posted_.push_back(std::move(task));
    arrived_.notify_all();
  }
  /// Runs the next posted task, waiting for it up to five seconds.
  bool RunPosted() {
    std::function<void()> task;
    {
      std::unique_lock lock(mutex_);
      if (!arrived_.wait_for(lock, std::chrono::seconds(5), [&] { return !posted_.empty(); })) return false;
      task = std::move(posted_.front());
      posted_.pop_front();
    }
    task();
    return true;
  }

  std::string textArea = "old text";
  std::string addressField, statusPane, pageType = "unset";
  bool timerRunning = false;

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<std::function<void()>> posted_;
};

class HtmlAreaControllerTest : public ::testing::Test {
 protected:
  platform::MemorySettingsStore store_;
  platform::ScriptedMessageSink sink_;
  platform::ScopedMessageSink guard_{&sink_};
  FakeWebView view_;
  FakePdfText pdf_;
  FakeHost host_;
  std::filesystem::path scratch_ = std::filesystem::temp_directory_path();
  HtmlAreaController area_{view_, store_, pdf_, host_, scratch_};
};

TEST_F(HtmlAreaControllerTest, StartsAtTextSizeThreeOnTheHomePage) {
  settings::Set(store_, settings::KanSet::Home, "http://home.example/");
  area_.Start();
  EXPECT_EQ(view_.textSize, 3);
  EXPECT_EQ(view_.navigated, (std::vector<std::string>{"http://home.example/"}));
}

TEST_F(HtmlAreaControllerTest, AnHtmlLoadShowsAddressAndTypeAndPutsTheTidiedTextIntoTheTextArea) {
  view_.Load("http://a.example/dir/");
  EXPECT_EQ(host_.addressField, "http://a.example/dir/");
  EXPECT_EQ(area_.GetPageType(), "HTML");
  EXPECT_EQ(host_.pageType, "HTML");
  EXPECT_EQ(host_.textArea, "");
  ASSERT_EQ(view_.pendingText.size(), 1u);
  view_.pendingText[0]("見出し\n\n本文");
  EXPECT_EQ(host_.textArea, "見出し  本文  ");
  EXPECT_FALSE(host_.timerRunning);
}

TEST_F(HtmlAreaControllerTest, PageTextOfAnEarlierLoadIsDropped) {
  view_.Load("http://a.example/1.html");
  view_.Load("http://a.example/2.html");
  view_.pendingText[0]("first page");
  EXPECT_EQ(host_.textArea, "");
  view_.pendingText[1]("second page");
  EXPECT_EQ(host_.textArea, "second page  ");
}

TEST_F(HtmlAreaControllerTest, PageTypeFollowsTheAddress) {
  const struct {
    const char* address;
    const char* type;
  } cases[] = {{"about:blank", ""}, {"http://a/x.jpg", "JPEG"}, {"http://a/x.pdf?download=1", "HTML"}};
  for (const auto& c : cases) {
    view_.Load(c.address);
    EXPECT_EQ(area_.GetPageType(), c.type) << c.address;
    EXPECT_EQ(host_.pageType, c.type) << c.address;
  }
  EXPECT_FALSE(host_.timerRunning);
}

TEST_F(HtmlAreaControllerTest, ALocalPdfsTextArrivesFromTheWorker) {
  view_.Load("file:///tmp/%E8%B3%87%E6%96%99.pdf");
  EXPECT_EQ(area_.GetPageType(), "PDF");
  EXPECT_EQ(host_.textArea, "");
  EXPECT_TRUE(host_.timerRunning);
  ASSERT_TRUE(host_.RunPosted());
  EXPECT_EQ(host_.textArea, "PDF本文\n二行目");
  EXPECT_TRUE(area_.Progress().done);
  EXPECT_FALSE(host_.timerRunning);
  EXPECT_EQ(pdf_.readPaths.at(0), "/tmp/資料.pdf");
}

TEST_F(HtmlAreaControllerTest, ARemotePdfIsDownloadedWithTheBrowserThenRead) {
  view_.Load("http://a.example/paper.pdf");
  ASSERT_EQ(view_.downloads.size(), 1u);
  EXPECT_EQ(view_.downloads[0].address, "http://a.example/paper.pdf");
  std::ofstream(view_.downloads[0].file) << "%PDF";
  view_.downloads[0].done(true);
  ASSERT_TRUE(host_.RunPosted());
  EXPECT_EQ(host_.textArea, "PDF本文\n二行目");
  EXPECT_FALSE(std::filesystem::exists(view_.downloads[0].file));  // scratch copy removed
}

TEST_F(HtmlAreaControllerTest, PdfTextStaysAwayAfterTwentyTicksAndWhenAnotherPageLoaded) {
  pdf_.hold = true;
  view_.Load("file:///tmp/slow.pdf");
  for (int i = 0; i < 19; ++i) area_.PdfTimerTick();
  EXPECT_TRUE(host_.timerRunning);
  area_.PdfTimerTick();
  EXPECT_FALSE(host_.timerRunning);
  EXPECT_FALSE(area_.Progress().done);
  pdf_.Release();
  EXPECT_EQ(host_.textArea, "");

  // A result that arrives after the next page has loaded is dropped too.
  pdf_.hold = true;
  view_.Load("file:///tmp/other.pdf");
  view_.Load("http://a.example/next.html");
  pdf_.Release();
  host_.RunPosted();
  EXPECT_EQ(host_.textArea, "");
}

TEST_F(HtmlAreaControllerTest, ADroppedPdfsWaitEndsOnlyWithItsOwnText) {
  // GIVEN the text of a PDF shown earlier still being read when a PDF is dropped
  pdf_.hold = true;
  view_.Load("file:///tmp/earlier.pdf");
  HtmlAreaRegistration registration(area_);
  registration.ShowFile("/tmp/dropped.pdf");
  pdf_.Release();
  host_.RunPosted();
  // THEN the earlier text does not count for the dropped file; its own does
  EXPECT_FALSE(registration.PdfTextTaken("/tmp/dropped.pdf"));
  view_.Load("file:///tmp/dropped.pdf");
  ASSERT_TRUE(host_.RunPosted());
  EXPECT_TRUE(registration.PdfTextTaken("/tmp/dropped.pdf"));
  EXPECT_FALSE(registration.PdfTextTaken("/tmp/earlier.pdf"));
}

TEST_F(HtmlAreaControllerTest, TextSizeStaysWithinZeroToFour) {
  for (int i = 0; i < 5; ++i) area_.LargerText();
  EXPECT_EQ(area_.TextSize(), 4);
  EXPECT_EQ(view_.textSize, 4);
  for (int i = 0; i < 9; ++i) area_.SmallerText();
  EXPECT_EQ(area_.TextSize(), 0);
  EXPECT_EQ(view_.textSize, 0);
}

TEST_F(HtmlAreaControllerTest, SetHomeAsksAndStoresThePageOrABlankHome) {
  view_.address = "about:blank";
  area_.SetHome();
  EXPECT_TRUE(sink_.Ids().empty());

  view_.address = "http://a.example/";
  sink_.Answer(MsgResult::Yes);
  area_.SetHome();
  EXPECT_EQ(settings::Get(store_, settings::KanSet::Home), "http://a.example/");
  EXPECT_EQ(sink_.Ids(), (std::vector<int>{30030, 30031}));

  sink_.Answer(MsgResult::No);
  area_.SetHome();
  EXPECT_EQ(settings::Get(store_, settings::KanSet::Home), "about:blank");

  sink_.Reset();
  sink_.Answer(MsgResult::Cancel);
  area_.SetHome();
  EXPECT_EQ(settings::Get(store_, settings::KanSet::Home), "about:blank");
  EXPECT_EQ(sink_.Ids(), (std::vector<int>{30030}));
}

TEST_F(HtmlAreaControllerTest, OnlyAllowedSchemesAreNavigatedAndOthersAreExplained) {
  EXPECT_TRUE(area_.Navigate("/tmp/manual.pdf"));
  area_.Go("");
  EXPECT_FALSE(area_.Navigate("javascript:alert(1)"));
  EXPECT_EQ(view_.navigated, (std::vector<std::string>{"file:///tmp/manual.pdf"}));
  EXPECT_EQ(sink_.Ids(), (std::vector<int>{30520}));
}

TEST_F(HtmlAreaControllerTest, BookmarksAddOpenAndDeleteAfterTheQuestion) {
  view_.address = "http://a.example/";
  view_.title = "ページＡ";
  area_.AddBookmark();
  area_.OpenBookmark(0);
  area_.OpenBookmark(1);
  EXPECT_EQ(view_.navigated, (std::vector<std::string>{"http://a.example/"}));

  sink_.Answer(MsgResult::No);
  area_.DeleteBookmark(0);
  EXPECT_EQ(area_.Marks().Entries().size(), 1u);
  EXPECT_EQ(sink_.Last().prefix, "ページＡ\n");
  sink_.Answer(MsgResult::Yes);
  area_.DeleteBookmark(0);
  EXPECT_TRUE(area_.Marks().Entries().empty());
}

TEST_F(HtmlAreaControllerTest, WebSearchNavigatesAndKeepsTheWords) {
  area_.WebSearch("", SearchKind::All);
  EXPECT_TRUE(view_.navigated.empty());
  area_.WebSearch("論文 要旨", SearchKind::Pdf);
  ASSERT_EQ(view_.navigated.size(), 1u);
  EXPECT_TRUE(view_.navigated[0].ends_with("search?q=論文 要旨 filetype:pdf"));
  EXPECT_EQ(settings::Get(store_, settings::Last::WebGoku), "論文 要旨");
}

TEST_F(HtmlAreaControllerTest, ANewWindowOpensInPlaceOnlyForTheLinkUnderThePointer) {
  view_.statusText("http://a.example/target.html");
  EXPECT_EQ(host_.statusPane, "http://a.example/target.html");
  view_.newWindowRefused("http://a.example/target.html", true);
  EXPECT_EQ(view_.navigated, (std::vector<std::string>{"http://a.example/target.html"}));

  view_.newWindowRefused("http://popup.example/", true);  // a script's own window
  view_.statusText("");
  view_.newWindowRefused("http://popup.example/", false);
  EXPECT_EQ(view_.navigated.size(), 1u);
  EXPECT_EQ(host_.statusPane, "");
}

}  // namespace
}  // namespace plume::shell
