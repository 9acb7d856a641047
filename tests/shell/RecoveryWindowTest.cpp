// Recovery copies in the running program: a copy of a 100 MB document is
// taken while the window goes on answering, and at start-up the copies of
// programs that ended are offered, damaged ones kept aside and reported.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "document/ChartFile.h"
#include "document/RecoveryFolder.h"
#include "document/RecoveryKeeper.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/cab/GcabCabinet.h"
#include "platform/qt/QtPictureCodec.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CRecoveryDlg.h"
#include "shell/ui/CTesselApp.h"
#include "shell/ui/RecoveryService.h"

namespace plume::shell {
namespace {

namespace fs = std::filesystem;
using Clock = document::RecoveryKeeper::Clock;

std::string ChartBytes(const document::ChartDocument& doc) {
  std::ostringstream out;
  document::WriteChart(doc, out);
  return out.str();
}

// A chart of `pictures` picture nodes whose pictures keep `bytes` bytes each.
void FillWithPictures(document::ChartDocument& doc, int pictures, std::size_t bytes, int variant) {
  doc.NewDocument();
  QImage image(8, 8, QImage::Format_RGB32);
  image.fill(QColor(variant * 40 % 256, 90, 200));
  platform::Bytes png = platform::EncodeImage(image, "PNG");
  for (int i = 0; i < pictures; ++i) {
    document::NodeRequest node;
    node.dataType = "PNG";
    node.serial = i;
    node.hasImage = true;
    platform::Bytes encoded = png;
    // Bytes after the image's end are ignored; like a photo's, they do not compress.
    std::uint32_t noise = 2463534242u + static_cast<std::uint32_t>(i + variant);
    while (encoded.size() < bytes) {
      noise ^= noise << 13, noise ^= noise >> 17, noise ^= noise << 5;
      encoded.push_back(static_cast<std::uint8_t>(noise));
    }
    node.picture = std::make_unique<platform::QtPicture>(image, std::move(encoded));
    node.pictureWidth = 40;
    node.pictureHeight = 40;
    node.x = 20 + (i % 20) * 45;
    node.y = 20 + (i / 20) * 45;
    doc.AddNode(std::move(node));
  }
}

class RecoveryWindowTest : public ::testing::Test {
 protected:
  std::unique_ptr<CTesselApp> StartApp() {
    AppOptions options;
    options.store = &store;
    options.lockFolder = lockDir.path();
    options.webEngine = false;
    options.recoveryFolder = folder;
    auto app = std::make_unique<CTesselApp>(std::move(options));
    EXPECT_TRUE(app->Start(std::nullopt));
    return app;
  }

  // Leaves chart `variant` as a copy of a program that ended: this program's
  // copy, renamed to an id whose program holds no lock.
  document::RecoveryEntry LeaveDeadCopy(const std::string& id, int variant, const fs::path& original) {
    auto doc = document::ChartDocument::Create();
    FillWithPictures(*doc, 3, 100, variant);
    doc->Changes().MarkModified();
    document::RecoveryKeeper::Source source;
    source.original = [original] { return original; };
    auto keeper = document::RecoveryKeeper::Start(folder, *doc, cabinet, source);
    keeper->CopyNow(Clock::now());
    keeper->WaitIdle();
    document::RecoveryRecord record =
        *document::ParseRecoveryRecord(ReadAll(folder / document::RecoveryFolder::RecordName(keeper->Id())));
    const std::string copy = document::RecoveryFolder::CopyName(id, 1);
    fs::copy_file(keeper->CopyPath(), folder / copy);
    record.copy = copy;
    std::ofstream(folder / document::RecoveryFolder::RecordName(id)) << document::FormatRecoveryRecord(record);
    expected[id] = ChartBytes(*doc);
    return {id, folder / document::RecoveryFolder::RecordName(id), record, folder / copy};
  }

  static std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  QTemporaryDir dir;
  fs::path folder = fs::path(dir.path().toStdString()) / "recovery";
  QTemporaryDir lockDir;
  platform::MemorySettingsStore store;
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard{&sink};
  platform::GcabCabinet cabinet;
  std::map<std::string, std::string> expected;
};

TEST_F(RecoveryWindowTest, ACopyOfA100MbDocumentIsTakenWhileTheWindowKeepsAnswering) {
  auto app = StartApp();
  ASSERT_NE(app->Recovery(), nullptr);
  document::RecoveryKeeper& keeper = app->Recovery()->Keeper();
  FillWithPictures(*app->Chart(), 200, 500'000, 1);  // 100 MB of pictures
  app->Frame()->DocumentReplaced();
  app->Chart()->Changes().MarkModified();

  // A timer that should fire every millisecond: the longest gap is the longest block.
  QElapsedTimer clock;
  qint64 last = 0;
  qint64 longest = 0;
  QTimer beat;
  beat.setInterval(1);
  QObject::connect(&beat, &QTimer::timeout, [&] {
    const qint64 now = clock.elapsed();
    longest = std::max(longest, now - last);
    last = now;
  });
  clock.start();
  beat.start();
  ASSERT_TRUE(keeper.CopyNow(Clock::now()));
  const qint64 started = clock.elapsed();
  while (keeper.CopyPath().empty() && clock.elapsed() - started < 120'000) QTest::qWait(5);
  const qint64 copying = clock.elapsed() - started;
  const qint64 duringCopy = longest;
  // The same time without a copy: what the machine's load alone costs.
  longest = 0;
  QTest::qWait(static_cast<int>(copying));
  const auto stats = keeper.LastStats();
  ASSERT_TRUE(stats.written);
  std::printf("100 MB copy: longest event-loop block %lld ms (%lld ms idle), copy of the state %.2f ms, "
              "written in %.0f ms\n",
              static_cast<long long>(duringCopy), static_cast<long long>(longest),
              std::chrono::duration<double, std::milli>(stats.snapshot).count(),
              std::chrono::duration<double, std::milli>(stats.write).count());
  RecordProperty("longest_block_ms", static_cast<int>(duringCopy));
  EXPECT_GT(fs::file_size(keeper.CopyPath()), 100'000'000u);
}

TEST_F(RecoveryWindowTest, StartOffersTheCopiesOfEndedProgramsKeepsDamagedOnesAsideAndRestoresAsModified) {
  fs::create_directories(folder);
  const fs::path original = fs::path(dir.path().toStdString()) / "plan.pbd";
  LeaveDeadCopy("101-aaaaaaaa", 1, original);
  LeaveDeadCopy("102-bbbbbbbb", 2, {});
  const document::RecoveryEntry broken = LeaveDeadCopy("103-cccccccc", 3, original);
  std::ofstream(broken.copyPath, std::ios::trunc) << "not a cabinet";
  // A running program's copy is never offered.
  auto liveDoc = document::ChartDocument::Create();
  FillWithPictures(*liveDoc, 1, 10, 4);
  liveDoc->Changes().MarkModified();
  auto live = document::RecoveryKeeper::Start(folder, *liveDoc, cabinet, {});
  live->CopyNow(Clock::now());
  live->WaitIdle();

  int rows = -1;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<CRecoveryDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    rows = dialog->List()->rowCount();
    if (const char* shot = std::getenv("PLUME_RECOVERY_SHOT")) dialog->grab().save(shot);
    dialog->List()->selectRow(1);  // the second oldest: the untitled one
    dialog->RestoreSelected();
  });
  auto app = StartApp();
  EXPECT_EQ(rows, 2);
  ASSERT_EQ(sink.Ids(), std::vector<int>{static_cast<int>(platform::StringId::RecoveryDamaged)});
  EXPECT_TRUE(fs::exists(document::RecoveryFolder(folder).DamagedFolder() / broken.copyPath.filename()));

  EXPECT_EQ(ChartBytes(*app->Chart()), expected["102-bbbbbbbb"]);
  auto* actions = &app->Document();
  EXPECT_TRUE(actions->IsModified());
  EXPECT_TRUE(actions->Path().empty());
  EXPECT_TRUE(app->Frame()->windowTitle().contains(QStringLiteral("*")));
  // The restored copy is this program's now; the other one waits for the next start.
  EXPECT_FALSE(fs::exists(folder / "102-bbbbbbbb.rec"));
  EXPECT_FALSE(app->Recovery()->Keeper().CopyPath().empty());
  EXPECT_TRUE(fs::exists(folder / "101-aaaaaaaa.rec"));
}

}  // namespace
}  // namespace plume::shell
