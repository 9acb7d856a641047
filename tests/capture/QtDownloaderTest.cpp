// Downloads from a local web server the test starts: what arrives, what is
// refused, and that a failed or cancelled download leaves the target alone.

#include <gtest/gtest.h>

#include <QProcess>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "capture/ui/QtDownloader.h"
#include "platform/Messages.h"
#include "platform/ScriptedMessageSink.h"

namespace plume::capture::ui {
namespace {

namespace fs = std::filesystem;
using platform::StringId;

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class QtDownloaderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    server_ = new QProcess;
    server_->start("python3", {PLUME_DOWNLOAD_SERVER});
    ASSERT_TRUE(server_->waitForReadyRead(10000));
    port_ = QString::fromUtf8(server_->readLine()).trimmed().toInt();
    ASSERT_GT(port_, 0);
  }
  static void TearDownTestSuite() {
    server_->closeWriteChannel();
    if (!server_->waitForFinished(3000)) server_->kill();
    delete server_;
  }

  QtDownloaderTest() : guard_(&sink_) {
    work_ = fs::temp_directory_path() / ("plume-dl-" + std::to_string(::getpid()));
    fs::create_directories(work_);
    options_.showProgress = false;
    options_.maxBytes = 2000;
    options_.silence = std::chrono::milliseconds(700);
    options_.workFolder = [this] { return work_; };
  }
  ~QtDownloaderTest() override { fs::remove_all(work_); }

  std::string Url(const char* path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
  std::vector<int> Ids() const {
    std::vector<int> ids;
    for (const auto& m : sink_.Messages()) ids.push_back(m.id);
    return ids;
  }

  static inline QProcess* server_ = nullptr;
  static inline int port_ = 0;
  fs::path work_;
  QtDownloader::Options options_;
  platform::ScriptedMessageSink sink_;
  platform::ScopedMessageSink guard_;
};

TEST_F(QtDownloaderTest, OutcomesByServerAnswer) {
  struct Case {
    const char* path;
    QtDownloader::Outcome outcome;
    int message;  ///< 0: none
  };
  const int failed = static_cast<int>(StringId::DownloadFailed);
  const Case cases[] = {
      {"/a.png", QtDownloader::Outcome::Saved, 0},
      {"/redirect.png", QtDownloader::Outcome::Saved, 0},
      {"/err.gif", QtDownloader::Outcome::Failed, failed},  // an HTML page, not the file
      {"/missing.png", QtDownloader::Outcome::Failed, failed},
      {"/silent.png", QtDownloader::Outcome::Failed, failed},  // gives up after the silence
      {"/big.png", QtDownloader::Outcome::TooLarge, static_cast<int>(StringId::DownloadTooLarge)},
      {"/unannounced.png", QtDownloader::Outcome::TooLarge, static_cast<int>(StringId::DownloadTooLarge)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    sink_.Reset();
    const fs::path target = work_ / "tmp.PNG";
    std::ofstream(target, std::ios::binary) << "before";
    QtDownloader downloader(options_);
    const fs::path got = downloader.DownloadToWork(Url(c.path), "PNG");
    EXPECT_EQ(downloader.LastOutcome(), c.outcome);
    EXPECT_EQ(Ids(), c.message ? std::vector<int>{c.message} : std::vector<int>{});
    if (c.outcome == QtDownloader::Outcome::Saved) {
      EXPECT_EQ(got, target);
      EXPECT_EQ(ReadAll(target).size(), 8u + 1024u);
    } else {
      EXPECT_TRUE(got.empty());
      EXPECT_EQ(ReadAll(target), "before");
    }
    EXPECT_FALSE(fs::exists(work_ / "tmp.PNG.part"));
  }
}

TEST_F(QtDownloaderTest, CancelShowsNothingAndKeepsTheTarget) {
  options_.silence = std::chrono::milliseconds(10000);
  QtDownloader downloader(options_);
  QTimer::singleShot(300, &downloader, &QtDownloader::Cancel);
  EXPECT_TRUE(downloader.DownloadToWork(Url("/silent.png"), "GIF").empty());
  EXPECT_EQ(downloader.LastOutcome(), QtDownloader::Outcome::Cancelled);
  EXPECT_TRUE(sink_.Messages().empty());
  EXPECT_FALSE(fs::exists(work_ / "tmp.GIF"));
}

TEST_F(QtDownloaderTest, LocalFilesAreCopiedAndOtherSchemesRefused) {
  const fs::path source = work_ / "source.bmp";
  std::ofstream(source, std::ios::binary) << "BM local";
  QtDownloader downloader(options_);
  EXPECT_EQ(ReadAll(downloader.DownloadToWork("file://" + source.string(), "BMP")), "BM local");
  EXPECT_EQ(ReadAll(downloader.DownloadToWork(source.string(), "BMP")), "BM local");
  EXPECT_TRUE(downloader.DownloadToWork("ftp://127.0.0.1/a.bmp", "BMP").empty());
  EXPECT_TRUE(downloader.DownloadToWork("", "BMP").empty());  // a link whose decoding failed
  EXPECT_EQ(Ids(), (std::vector<int>(2, static_cast<int>(StringId::DownloadFailed))));
}

}  // namespace
}  // namespace plume::capture::ui
